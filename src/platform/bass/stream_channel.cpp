#include "platform/bass/stream_channel.h"

#include <algorithm>
#include <cmath>

#include "platform/bass/bass.h"
#include "platform/bass/memory_pcm.h"

namespace {

constexpr int blockFrames = 1024;  // output frames made per step

}  // namespace

StreamChannel::StreamChannel(std::unique_ptr<PcmSource> source, DWORD creationFlags, int outputRate)
    : source_(std::move(source)),
      creationFlags_(creationFlags),
      outputRate_(outputRate),
      feed_(*source_, outputRate) {}

StreamChannel::StreamChannel(DecodedAudio audio, DWORD creationFlags, int outputRate)
    : StreamChannel(std::make_unique<MemoryPcm>(std::move(audio)), creationFlags, outputRate) {}

DWORD StreamChannel::flags() const {
    DWORD flags = creationFlags_ & ~(BASS_SAMPLE_MONO | BASS_SAMPLE_LOOP | BASS_SAMPLE_8BITS);
    if (source_->channels() == 1) flags |= BASS_SAMPLE_MONO;
    if (looping_) flags |= BASS_SAMPLE_LOOP;
    return flags;
}

bool StreamChannel::setPositionBytes(DWORD position) {
    const std::size_t frame = position / frameBytes();
    if (frame >= source_->frames()) return false;
    feed_.setFrame(frame);
    following_ = false;
    return true;
}

void StreamChannel::play(bool fromStart, bool loop) {
    if (fromStart || feed_.frame() >= source_->frames()) feed_.setFrame(0);
    looping_ = loop;
    playing_ = true;
    following_ = false;
}

void StreamChannel::stop() {
    playing_ = false;
    following_ = false;
}

void StreamChannel::follow(DWORD position, double atSeconds) {
    follower_.start(double(position / frameBytes()) / rate(), atSeconds);
    varispeed_.reset();
    speed_ = 1.0;
    following_ = true;
}

void StreamChannel::mixInto(std::int32_t* mix, int frames, double now) {
    if (playing_ && following_) keepInStep(now);
    std::int16_t out[2 * blockFrames];
    while (playing_ && frames > 0) {
        const int block = std::min(frames, blockFrames);
        const int made = produce(out, block);
        for (int i = 0; i < 2 * made; ++i) mix[i] += out[i];
        mix += 2 * made;
        frames -= made;
        if (made == block) continue;
        if (feed_.ended()) playing_ = false;
        break;  // the source has not decoded that far: silence for now
    }
}

int StreamChannel::produce(std::int16_t* out, int count) {
    if (!following_) return feed_.produce(out, count, looping_);
    return varispeed_.process(out, count, speed_, [this](std::int16_t* to, int n) {
        return feed_.produce(to, n, looping_);
    });
}

void StreamChannel::keepInStep(double now) {
    const double length = looping_ ? double(source_->frames()) / rate() : 0.0;
    const ClockFollower::Step step = follower_.update(heardSeconds(), now, length);
    speed_ = step.speed;
    if (step.jumpTo) jumpTo(*step.jumpTo);
}

// Where the music heard next is: the frames taken from the source, less
// those still held on their way out.
double StreamChannel::heardSeconds() const {
    const double held = feed_.heldFrames() + varispeed_.heldFrames() * rate() / outputRate_;
    const double frames = double(source_->frames());
    double at = double(feed_.frame()) - held;
    if (looping_ && at < 0) at += frames;
    return at / rate();
}

// On the audio thread: the source only gets asked, and plays from the new
// frame as soon as it has decoded it.
void StreamChannel::jumpTo(double seconds) {
    const auto frame = std::size_t(std::max(0.0, std::floor(seconds * rate())));
    if (frame >= source_->frames()) {
        playing_ = false;  // the music has ended by the clock
        return;
    }
    feed_.setFrame(frame);
    varispeed_.reset();
    source_->requestSeek(frame);
}
