#include "platform/bass/stream_channel.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "platform/bass/bass.h"

namespace {

constexpr int blockFrames = 1024;    // output frames mixed per step
constexpr int feedFrames = 1024;     // source frames put into the resampler per step
constexpr int outputFrameBytes = 4;  // 16-bit stereo

}  // namespace

StreamChannel::StreamChannel(DecodedAudio audio, DWORD creationFlags, int outputRate)
    : audio_(std::move(audio)), creationFlags_(creationFlags), outputRate_(outputRate) {
    if (needsResampler())
        resampler_ = SDL_NewAudioStream(AUDIO_S16SYS, Uint8(audio_.channels), audio_.rate,
                                        AUDIO_S16SYS, 2, outputRate_);
}

StreamChannel::~StreamChannel() {
    if (resampler_) SDL_FreeAudioStream(resampler_);
}

DWORD StreamChannel::flags() const {
    DWORD flags = creationFlags_ & ~(BASS_SAMPLE_MONO | BASS_SAMPLE_LOOP | BASS_SAMPLE_8BITS);
    if (audio_.channels == 1) flags |= BASS_SAMPLE_MONO;
    if (looping_) flags |= BASS_SAMPLE_LOOP;
    return flags;
}

bool StreamChannel::setPositionBytes(DWORD position) {
    const std::size_t frame = position / audio_.frameBytes();
    if (frame >= audio_.frames()) return false;
    frame_ = frame;
    forgetPending();
    return true;
}

void StreamChannel::play(bool fromStart, bool loop) {
    if (fromStart || frame_ >= audio_.frames()) {
        frame_ = 0;
        forgetPending();
    }
    looping_ = loop;
    playing_ = true;
}

void StreamChannel::forgetPending() {
    if (resampler_) SDL_AudioStreamClear(resampler_);
    drained_ = false;
}

void StreamChannel::mixInto(std::int32_t* mix, int frames) {
    while (playing_ && frames > 0) {
        const int block = std::min(frames, blockFrames);
        const int made = needsResampler() ? mixResampled(mix, block) : mixDirect(mix, block);
        mix += 2 * made;
        frames -= made;
    }
}

// Same rate: the decoded frames are added as they are, a mono stream on
// both sides. Returns the frames made; fewer when the stream ends.
int StreamChannel::mixDirect(std::int32_t* mix, int frames) {
    const std::int16_t* in = audio_.samples.data();
    int made = 0;
    for (; made < frames; ++made, ++frame_) {
        if (frame_ >= audio_.frames()) {
            if (!looping_) break;
            frame_ = 0;
        }
        const std::size_t at = frame_ * std::size_t(audio_.channels);
        mix[2 * made] += in[at];
        mix[2 * made + 1] += in[at + std::size_t(audio_.channels) - 1];
    }
    if (made < frames) playing_ = false;
    return made;
}

// Puts the next source frames into the resampler; at the end either goes
// round to the start or flushes the resampler's tail. False when drained.
bool StreamChannel::feedResampler() {
    if (drained_) return false;
    const std::size_t count = std::min<std::size_t>(feedFrames, audio_.frames() - frame_);
    const std::int16_t* from = audio_.samples.data() + frame_ * std::size_t(audio_.channels);
    SDL_AudioStreamPut(resampler_, from, int(count * audio_.frameBytes()));
    frame_ += count;
    if (frame_ < audio_.frames()) return true;
    if (looping_) {
        frame_ = 0;
        return true;
    }
    // The resampler holds back the last frames it has been given; silence
    // after them pushes them out.
    static const std::int16_t silence[2 * feedFrames] = {};
    SDL_AudioStreamPut(resampler_, silence, int(feedFrames * audio_.frameBytes()));
    SDL_AudioStreamFlush(resampler_);
    drained_ = true;
    return false;
}

int StreamChannel::mixResampled(std::int32_t* mix, int frames) {
    const int wanted = frames * outputFrameBytes;
    while (SDL_AudioStreamAvailable(resampler_) < wanted && feedResampler()) {
    }
    std::int16_t out[2 * blockFrames];
    const int got = std::max(0, SDL_AudioStreamGet(resampler_, out, wanted)) / outputFrameBytes;
    for (int i = 0; i < 2 * got; ++i) mix[i] += out[i];
    if (got < frames) playing_ = false;
    return got;
}
