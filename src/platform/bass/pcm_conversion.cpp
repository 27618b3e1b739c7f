#include "platform/bass/pcm_conversion.h"

#include <sndfile.h>

#include <cmath>

namespace {

std::int16_t toSample(std::int16_t value) {
    return value;
}
std::int16_t toSample(float value) {
    const float scaled = std::nearbyint(value * 32768.0f);
    if (!(scaled > -32768.0f)) return -32768;  // also NaN
    if (scaled > 32767.0f) return 32767;
    return std::int16_t(scaled);
}

template <typename Sample>
void mixDownFrame(const Sample* in, int channels, std::int16_t* out) {
    float sums[2] = {0, 0};
    for (int c = 0; c < channels; ++c) sums[c % 2] += float(toSample(in[c]));
    out[0] = std::int16_t(std::lround(sums[0] / float((channels + 1) / 2)));
    out[1] = std::int16_t(std::lround(sums[1] / float(channels / 2)));
}

template <typename Sample>
void convert(const Sample* in, std::size_t frames, int channels, std::int16_t* out) {
    if (channels <= 2) {
        for (std::size_t i = 0; i < frames * std::size_t(channels); ++i) out[i] = toSample(in[i]);
        return;
    }
    for (std::size_t f = 0; f < frames; ++f)
        mixDownFrame(in + f * std::size_t(channels), channels, out + 2 * f);
}

}  // namespace

bool decodesAsShorts(int sndfileFormat) {
    switch (sndfileFormat & SF_FORMAT_SUBMASK) {
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

void convertFrames(const std::int16_t* in, std::size_t frames, int channels, std::int16_t* out) {
    convert(in, frames, channels, out);
}

void convertFrames(const float* in, std::size_t frames, int channels, std::int16_t* out) {
    convert(in, frames, channels, out);
}
