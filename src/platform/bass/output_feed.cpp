#include "platform/bass/output_feed.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr std::size_t feedFrames = 1024;  // source frames put into the resampler per step
constexpr int outputFrameBytes = 4;       // 16-bit stereo

}  // namespace

OutputFeed::OutputFeed(PcmSource& source, int outputRate)
    : source_(source), outputRate_(outputRate) {
    if (!resamples()) return;
    resampler_ = SDL_NewAudioStream(AUDIO_S16SYS, Uint8(source_.channels()), source_.rate(),
                                    AUDIO_S16SYS, 2, outputRate_);
    feed_.resize(feedFrames * std::size_t(source_.channels()));
}

OutputFeed::~OutputFeed() {
    if (resampler_) SDL_FreeAudioStream(resampler_);
}

void OutputFeed::setFrame(std::size_t frame) {
    frame_ = frame;
    if (resampler_) SDL_AudioStreamClear(resampler_);
    drained_ = false;
    ended_ = false;
}

double OutputFeed::heldFrames() const {
    if (!resampler_) return 0;
    const double ready = double(SDL_AudioStreamAvailable(resampler_)) / outputFrameBytes;
    return ready * source_.rate() / outputRate_;
}

int OutputFeed::produce(std::int16_t* out, int count, bool looping) {
    return resampler_ ? produceResampled(out, count, looping) : produceDirect(out, count, looping);
}

// Up to count frames from the source at the position, which moves on: round
// the end when looping, up to the end otherwise.
std::size_t OutputFeed::take(std::int16_t* out, std::size_t count, bool looping) {
    const std::size_t frames = source_.frames();
    if (!looping) count = std::min(count, frames - std::min(frame_, frames));
    const std::size_t got = count ? source_.read(frame_, out, count) : 0;
    frame_ = looping ? (frame_ + got) % frames : frame_ + got;
    return got;
}

// Same rate: the frames as they are, a mono frame on both sides.
int OutputFeed::produceDirect(std::int16_t* out, int count, bool looping) {
    const std::size_t got = take(out, std::size_t(count), looping);
    if (source_.channels() == 1) {
        for (std::size_t f = got; f-- > 0;) out[2 * f] = out[2 * f + 1] = out[f];
    }
    if (!looping && frame_ >= source_.frames()) ended_ = true;
    return int(got);
}

// Puts the next source frames into the resampler; at the end of a stream
// that does not loop, flushes the resampler's tail. False when nothing more
// can go in now.
bool OutputFeed::feedResampler(bool looping) {
    if (drained_) return false;
    const std::size_t frameBytes = std::size_t(source_.channels()) * 2;
    const std::size_t got = take(feed_.data(), feedFrames, looping);
    if (got > 0) {
        SDL_AudioStreamPut(resampler_, feed_.data(), int(got * frameBytes));
        return true;
    }
    if (looping || frame_ < source_.frames()) return false;  // not decoded yet
    // The resampler holds back the last frames it has been given; silence
    // after them pushes them out.
    std::fill(feed_.begin(), feed_.end(), std::int16_t(0));
    SDL_AudioStreamPut(resampler_, feed_.data(), int(feedFrames * frameBytes));
    SDL_AudioStreamFlush(resampler_);
    drained_ = true;
    return false;
}

int OutputFeed::produceResampled(std::int16_t* out, int count, bool looping) {
    const int wanted = count * outputFrameBytes;
    while (SDL_AudioStreamAvailable(resampler_) < wanted && feedResampler(looping)) {
    }
    const int got = std::max(0, SDL_AudioStreamGet(resampler_, out, wanted)) / outputFrameBytes;
    if (got < count && drained_) ended_ = true;
    return got;
}
