// A fixed number of interleaved 16-bit frames kept in a ring: written at
// one end, read at the other. Not locked; its owner locks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FrameRing {
  public:
    FrameRing(std::size_t capacityFrames, int channels)
        : samples_(capacityFrames * std::size_t(channels)), channels_(std::size_t(channels)) {}

    std::size_t capacity() const { return samples_.size() / channels_; }
    std::size_t size() const { return size_; }
    std::size_t room() const { return capacity() - size_; }
    void clear() { size_ = 0; }
    // count <= room().
    void push(const std::int16_t* frames, std::size_t count);
    // Takes up to count frames; returns how many.
    std::size_t pop(std::int16_t* out, std::size_t count);

  private:
    std::vector<std::int16_t> samples_;
    std::size_t channels_;
    std::size_t first_ = 0;  // frame index of the oldest frame
    std::size_t size_ = 0;
};
