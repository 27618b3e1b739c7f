// Recognises PCM audio in a RIFF/WAVE file: where its samples lie and how
// many byte channels they interleave, which is what multimedia mode needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct PcmLayout {
    size_t dataOffset = 0;
    size_t dataSize = 0;
    uint32_t byteChannels = 1;  // channels x bytes per sample, 1..4
};

// Only 8- and 16-bit integer PCM with at most four byte channels.
std::optional<PcmLayout> findPcmLayout(std::span<const uint8_t> file);
