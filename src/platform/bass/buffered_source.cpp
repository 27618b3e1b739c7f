#include "platform/bass/buffered_source.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

constexpr std::size_t ringFrames = 65536;
constexpr std::size_t chunkFrames = 4096;
constexpr auto longestWait = std::chrono::seconds(2);

}  // namespace

BufferedSource::BufferedSource(std::unique_ptr<AudioDecoder> decoder, bool waitForDecoder)
    : decoder_(std::move(decoder)),
      rate_(decoder_->rate()),
      channels_(decoder_->channels()),
      frames_(decoder_->frames()),
      waitForDecoder_(waitForDecoder),
      chunk_(chunkFrames * std::size_t(channels_)),
      ring_(ringFrames, channels_),
      ringFrame_(decoder_->position() % frames_),
      thread_([this] { decodeAhead(); }) {}

BufferedSource::~BufferedSource() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

bool BufferedSource::needsDecoding() const {
    return stopping_ || seekTo_ || ring_.room() >= chunkFrames;
}

// The decoder thread: decodes a chunk whenever the ring has room for it,
// outside the lock, so readers wait at most for a copy.
void BufferedSource::decodeAhead() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return needsDecoding(); });
        if (stopping_) return;
        const std::optional<std::size_t> target = std::exchange(seekTo_, std::nullopt);
        const std::uint64_t generation = generation_;
        lock.unlock();
        if (target) decoder_->seek(*target);
        decoder_->readLooping(chunk_.data(), chunkFrames);
        lock.lock();
        if (generation != generation_) continue;  // a seek came meanwhile
        ring_.push(chunk_.data(), chunkFrames);
        decoded_.notify_all();
    }
}

void BufferedSource::requestSeek(std::size_t frame) {
    {
        std::lock_guard lock(mutex_);
        if (!seekTo_ && ringFrame_ == frame) return;  // already there
        seekTo_ = frame;
        ringFrame_ = frame;
        ring_.clear();
        ++generation_;
    }
    wake_.notify_one();
}

void BufferedSource::seek(std::size_t frame) {
    requestSeek(frame);
    std::unique_lock lock(mutex_);
    decoded_.wait_for(lock, longestWait, [&] {
        return !seekTo_ && (ring_.size() >= chunkFrames || ringFrame_ != frame);
    });
}

std::size_t BufferedSource::read(std::size_t frame, std::int16_t* out, std::size_t count) {
    std::unique_lock lock(mutex_);
    if (waitForDecoder_) {
        const std::size_t enough = std::min(count, ring_.capacity());
        decoded_.wait_for(lock, longestWait,
                          [&] { return ringFrame_ != frame || ring_.size() >= enough; });
    }
    if (ringFrame_ != frame) return 0;
    const std::size_t got = ring_.pop(out, count);
    ringFrame_ = (ringFrame_ + got) % frames_;
    if (ring_.room() >= chunkFrames) wake_.notify_one();
    return got;
}
