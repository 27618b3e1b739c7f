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

// Integer PCM is read as 16-bit samples directly. Other encodings (float,
// Vorbis, MP3, ...) are read as floats in [-1, 1) and scaled here, so that
// every one of them comes out at the same level.
bool readsAsShorts(const SF_INFO& info) {
    switch (info.format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_PCM_32:
            return true;
        default:
            return false;
    }
}

std::int16_t toSample(std::int16_t value) {
    return value;
}
std::int16_t toSample(float value) {
    const float scaled = std::nearbyint(value * 32768.0f);
    if (!(scaled > -32768.0f)) return -32768;  // also NaN
    if (scaled > 32767.0f) return 32767;
    return std::int16_t(scaled);
}

sf_count_t readFrames(SNDFILE* file, std::int16_t* out, sf_count_t frames) {
    return sf_readf_short(file, out, frames);
}
sf_count_t readFrames(SNDFILE* file, float* out, sf_count_t frames) {
    return sf_readf_float(file, out, frames);
}

// Mixes one frame of `channels` samples down to two: even channels left,
// odd channels right.
template <typename Sample>
void mixDownFrame(const Sample* in, int channels, std::int16_t* out) {
    float sums[2] = {0, 0};
    for (int c = 0; c < channels; ++c) sums[c % 2] += float(toSample(in[c]));
    out[0] = std::int16_t(std::lround(sums[0] / float((channels + 1) / 2)));
    out[1] = std::int16_t(std::lround(sums[1] / float(channels / 2)));
}

template <typename Sample>
void appendFrames(const std::vector<Sample>& chunk, sf_count_t frames, int channels,
                  std::vector<std::int16_t>& samples) {
    const std::size_t start = samples.size();
    samples.resize(start + std::size_t(frames * std::min(channels, 2)));
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
template <typename Sample>
bool readAllFrames(SNDFILE* file, int channels, DecodedAudio& audio) {
    std::vector<Sample> chunk(std::size_t(chunkFrames * channels));
    for (;;) {
        const sf_count_t got = readFrames(file, chunk.data(), chunkFrames);
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
    audio.channels = std::min(info.channels, 2);
    bool ok = info.channels > 0 && info.samplerate > 0 && info.samplerate <= maxRate;
    if (ok) {
        reserveFrames(info, bytes.size(), audio);
        ok = readsAsShorts(info) ? readAllFrames<std::int16_t>(file, info.channels, audio)
                                 : readAllFrames<float>(file, info.channels, audio);
    }
    sf_close(file);
    if (!ok || audio.frames() == 0) return std::nullopt;
    return audio;
}
