// A music file decoded into interleaved 16-bit PCM at its own rate, with
// one or two channels (files with more are mixed down to two).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct DecodedAudio {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return channels ? samples.size() / std::size_t(channels) : 0; }
    std::size_t frameBytes() const { return std::size_t(channels) * sizeof(std::int16_t); }
    std::size_t lengthBytes() const { return samples.size() * sizeof(std::int16_t); }
};

// Decodes any format libsndfile reads (WAV, Ogg Vorbis, FLAC, MP3, ...).
// Nothing when the bytes are not audio, hold no frames, or decode to more
// than a 32-bit byte count can address.
std::optional<DecodedAudio> decodeAudio(std::span<const std::uint8_t> bytes);
