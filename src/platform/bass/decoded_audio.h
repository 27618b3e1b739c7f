// A music file decoded whole into interleaved 16-bit PCM at its own rate,
// with one or two channels: what a stream plays, all at once. Streams
// decode as they play; this is for PCM made in memory and for comparing.
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

// Decodes every frame, as AudioDecoder does (same formats, same length).
// Nothing when the bytes are not audio, hold no frames, or decode to more
// than a 32-bit byte count can address.
std::optional<DecodedAudio> decodeAudio(std::span<const std::uint8_t> bytes);
