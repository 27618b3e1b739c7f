#include "platform/bass/decoded_audio.h"

#include "platform/bass/audio_decoder.h"
#include "platform/bass/memory_file.h"

std::optional<DecodedAudio> decodeAudio(std::span<const std::uint8_t> bytes) {
    const auto decoder = AudioDecoder::open(std::make_unique<MemoryFile>(bytes));
    if (!decoder) return std::nullopt;
    DecodedAudio audio;
    audio.rate = decoder->rate();
    audio.channels = decoder->channels();
    audio.samples.resize(decoder->frames() * std::size_t(audio.channels));
    decoder->read(audio.samples.data(), decoder->frames());
    return audio;
}
