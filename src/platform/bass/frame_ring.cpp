#include "platform/bass/frame_ring.h"

#include <algorithm>
#include <cstring>

void FrameRing::push(const std::int16_t* frames, std::size_t count) {
    std::size_t end = (first_ + size_) % capacity();
    for (std::size_t done = 0; done < count;) {
        const std::size_t run = std::min(count - done, capacity() - end);
        std::memcpy(&samples_[end * channels_], frames + done * channels_,
                    run * channels_ * sizeof(std::int16_t));
        done += run;
        end = (end + run) % capacity();
    }
    size_ += count;
}

std::size_t FrameRing::pop(std::int16_t* out, std::size_t count) {
    count = std::min(count, size_);
    for (std::size_t done = 0; done < count;) {
        const std::size_t run = std::min(count - done, capacity() - first_);
        std::memcpy(out + done * channels_, &samples_[first_ * channels_],
                    run * channels_ * sizeof(std::int16_t));
        done += run;
        first_ = (first_ + run) % capacity();
    }
    size_ -= count;
    return count;
}
