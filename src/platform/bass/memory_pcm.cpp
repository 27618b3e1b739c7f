#include "platform/bass/memory_pcm.h"

#include <algorithm>

std::size_t MemoryPcm::read(std::size_t frame, std::int16_t* out, std::size_t count) {
    const std::size_t channels = std::size_t(audio_.channels);
    for (std::size_t done = 0; done < count && frames() > 0;) {
        frame %= frames();
        const std::size_t run = std::min(count - done, frames() - frame);
        const auto from = audio_.samples.begin() + std::ptrdiff_t(frame * channels);
        std::copy(from, from + std::ptrdiff_t(run * channels), out + done * channels);
        done += run;
        frame += run;
    }
    return frames() > 0 ? count : 0;
}
