// Decoded samples as the layer keeps them: 16-bit, one or two channels.
// Files with more channels are mixed down to two: even channels left, odd
// channels right.
#pragma once

#include <cstddef>
#include <cstdint>

// Integer PCM up to 32 bits is read from libsndfile as 16-bit samples
// directly; every other encoding (float, Vorbis, MP3, ...) as floats in
// [-1, 1), scaled here, so that all of them come out at the same level.
bool decodesAsShorts(int sndfileFormat);

// Converts `frames` frames of `channels` interleaved samples to
// min(channels, 2) interleaved 16-bit samples.
void convertFrames(const std::int16_t* in, std::size_t frames, int channels, std::int16_t* out);
void convertFrames(const float* in, std::size_t frames, int channels, std::int16_t* out);
