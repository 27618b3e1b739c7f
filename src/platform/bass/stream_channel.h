// One stream: its source of PCM, the position of the next frame to play and
// whether it plays and loops. It adds itself to the stereo output at the
// output rate. While it follows a clock, it plays slightly faster or slower
// (or, after a stall, jumps) to stay where that clock wants it.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/bass/clock_follower.h"
#include "platform/bass/decoded_audio.h"
#include "platform/bass/output_feed.h"
#include "platform/bass/pcm_source.h"
#include "platform/bass/varispeed.h"
#include "platform/win32/windef.h"

class StreamChannel {
  public:
    // creationFlags are reported back by flags(). Check valid() afterwards.
    StreamChannel(std::unique_ptr<PcmSource> source, DWORD creationFlags, int outputRate);
    // PCM already decoded and held in memory.
    StreamChannel(DecodedAudio audio, DWORD creationFlags, int outputRate);
    StreamChannel(const StreamChannel&) = delete;
    StreamChannel& operator=(const StreamChannel&) = delete;

    // False when the resampler for this rate could not be made.
    bool valid() const { return feed_.valid(); }

    PcmSource& source() { return *source_; }
    int rate() const { return source_->rate(); }
    DWORD flags() const;
    DWORD lengthBytes() const { return DWORD(source_->frames() * frameBytes()); }
    DWORD positionBytes() const { return DWORD(feed_.frame() * frameBytes()); }
    std::size_t positionFrame() const { return feed_.frame(); }
    bool playing() const { return playing_; }

    // These three end following a clock. The source is to be moved to
    // positionFrame() afterwards, away from the audio thread.
    // Rounds down to a whole frame; false (position unchanged) past the end.
    bool setPositionBytes(DWORD position);
    void play(bool fromStart, bool loop);
    void stop();

    // From now on keeps the playing stream where a clock wants it: at byte
    // `position` when the clock reads `atSeconds`, moving on with the clock.
    void follow(DWORD position, double atSeconds);

    // Adds `frames` stereo output frames to mix (interleaved left, right).
    // now: the clock's reading as the output asks for them.
    void mixInto(std::int32_t* mix, int frames, double now = 0);

  private:
    std::size_t frameBytes() const { return std::size_t(source_->channels()) * 2; }
    int produce(std::int16_t* out, int count);
    void keepInStep(double now);
    double heardSeconds() const;
    void jumpTo(double seconds);

    std::unique_ptr<PcmSource> source_;
    DWORD creationFlags_;
    int outputRate_;
    OutputFeed feed_;
    bool playing_ = false;
    bool looping_ = false;
    bool following_ = false;
    ClockFollower follower_;
    Varispeed varispeed_;
    double speed_ = 1.0;
};
