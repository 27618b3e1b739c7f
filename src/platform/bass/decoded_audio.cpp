#include "platform/bass/decoded_audio.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "platform/bass/memory_file.h"

namespace {

constexpr std::uint64_t maxLengthBytes = 0xFFFFFFFFull;  // stream lengths are 32-bit
constexpr int maxRate = 768000;
constexpr sf_count_t chunkFrames = 16384;

sf_count_t fileLength(void* file) {
    return static_cast<MemoryFile*>(file)->size();
}
sf_count_t fileSeek(sf_count_t offset, int whence, void* file) {
    return static_cast<MemoryFile*>(file)->seek(offset, whence);
}
sf_count_t fileRead(void* out, sf_count_t count, void* file) {
    return static_cast<MemoryFile*>(file)->read(out, count);
}
sf_count_t fileWrite(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t fileTell(void* file) {
    return static_cast<MemoryFile*>(file)->tell();
}

SF_VIRTUAL_IO memoryIo{fileLength, fileSeek, fileRead, fileWrite, fileTell};

// Samples are read as floats in [-1, 1) whatever the file holds, so 16-bit
// sources come back exactly and float sources (Vorbis, MP3) are scaled
// the same way.
std::int16_t toSample(float value) {
    const float scaled = std::nearbyint(value * 32768.0f);
    if (!(scaled > -32768.0f)) return -32768;  // also NaN
    if (scaled > 32767.0f) return 32767;
    return std::int16_t(scaled);
}

// Mixes one frame of `channels` samples down to two: even channels left,
// odd channels right.
void mixDownFrame(const float* in, int channels, std::int16_t* out) {
    float sums[2] = {0, 0};
    for (int c = 0; c < channels; ++c) sums[c % 2] += in[c];
    out[0] = toSample(sums[0] / float((channels + 1) / 2));
    out[1] = toSample(sums[1] / float(channels / 2));
}

void appendFrames(const std::vector<float>& chunk, sf_count_t frames, int channels,
                  std::vector<std::int16_t>& samples) {
    const std::size_t start = samples.size();
    samples.resize(start + std::size_t(frames * (channels > 2 ? 2 : channels)));
    std::int16_t* out = samples.data() + start;
    if (channels <= 2) {
        for (sf_count_t i = 0; i < frames * channels; ++i) out[i] = toSample(chunk[i]);
        return;
    }
    for (sf_count_t f = 0; f < frames; ++f)
        mixDownFrame(&chunk[f * channels], channels, out + 2 * f);
}

// Room for the frames the header announces, within what the file's size
// makes plausible, so a lying header cannot claim a huge buffer.
void reserveFrames(const SF_INFO& info, std::size_t fileSize, DecodedAudio& audio) {
    const std::uint64_t announced = std::uint64_t(info.frames > 0 ? info.frames : 0);
    const std::uint64_t plausible = std::uint64_t(fileSize) * 16;
    audio.samples.reserve(std::size_t(std::min(announced * audio.channels, plausible)));
}

// Reads every frame; false when the result would exceed a 32-bit length.
bool readAllFrames(SNDFILE* file, int channels, DecodedAudio& audio) {
    std::vector<float> chunk(std::size_t(chunkFrames * channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, chunk.data(), chunkFrames);
        if (got <= 0) return true;
        appendFrames(chunk, got, channels, audio.samples);
        if (audio.lengthBytes() > maxLengthBytes) return false;
    }
}

}  // namespace

std::optional<DecodedAudio> decodeAudio(std::span<const std::uint8_t> bytes) {
    MemoryFile source(bytes);
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&memoryIo, SFM_READ, &info, &source);
    if (!file) return std::nullopt;
    DecodedAudio audio;
    audio.rate = info.samplerate;
    audio.channels = info.channels > 2 ? 2 : info.channels;
    bool ok = info.channels > 0 && info.samplerate > 0 && info.samplerate <= maxRate;
    if (ok) {
        reserveFrames(info, bytes.size(), audio);
        ok = readAllFrames(file, info.channels, audio);
    }
    sf_close(file);
    if (!ok || audio.frames() == 0) return std::nullopt;
    return audio;
}
