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
    : rate_(decoder->rate()),
      channels_(decoder->channels()),
      frames_(decoder->frames()),
      waitForDecoder_(waitForDecoder),
      decoder_(std::move(decoder)),
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

// The decoder thread: decodes a chunk whenever the ring has room for it or
// a seek was asked for.
void BufferedSource::decodeAhead() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return needsDecoding(); });
            if (stopping_) return;
        }
        decodeChunk();
    }
}

// Decodes outside the ring's lock, so readers wait at most for a copy.
// A seek asked for meanwhile makes the chunk worthless: it is dropped, and
// the next one starts at the new frame.
void BufferedSource::decodeChunk() {
    std::lock_guard decoding(decoderMutex_);
    std::optional<std::size_t> target;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        if (!seekTo_ && ring_.room() < chunkFrames) return;  // a seek filled it meanwhile
        target = std::exchange(seekTo_, std::nullopt);
        generation = generation_;
    }
    if (target) decoder_->seek(*target);
    decoder_->readLooping(chunk_.data(), chunkFrames);
    std::lock_guard lock(mutex_);
    if (generation != generation_) return;
    ring_.push(chunk_.data(), chunkFrames);
    decoded_.notify_all();
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

bool BufferedSource::readyAt(std::size_t frame) const {
    return !seekTo_ && ringFrame_ == frame && ring_.size() >= chunkFrames;
}

void BufferedSource::seek(std::size_t frame) {
    std::lock_guard decoding(decoderMutex_);
    {
        std::lock_guard lock(mutex_);
        if (readyAt(frame)) return;
        seekTo_.reset();
        ringFrame_ = frame;
        ring_.clear();
        ++generation_;
    }
    decoder_->seek(frame);
    decoder_->readLooping(chunk_.data(), chunkFrames);
    {
        std::lock_guard lock(mutex_);
        if (!seekTo_ && ringFrame_ == frame) ring_.push(chunk_.data(), chunkFrames);
    }
    decoded_.notify_all();
    wake_.notify_one();
}

// A reader that asks for another frame than the ring holds (it moved on
// while a seek was on its way, say) gets the ring moved there: otherwise
// the two would never meet again and the stream would play silence forever.
std::size_t BufferedSource::read(std::size_t frame, std::int16_t* out, std::size_t count) {
    std::unique_lock lock(mutex_);
    if (ringFrame_ != frame && !seekTo_) {
        seekTo_ = frame;
        ringFrame_ = frame;
        ring_.clear();
        ++generation_;
        wake_.notify_one();
    }
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
