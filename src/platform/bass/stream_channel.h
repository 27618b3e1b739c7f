// One stream: its decoded PCM, the position of the next frame to play and
// whether it plays and loops. It adds itself to the stereo output at the
// output rate; a stream at another rate goes through SDL's resampler.
#pragma once

#include <cstdint>

#include "platform/bass/decoded_audio.h"
#include "platform/win32/windef.h"

struct _SDL_AudioStream;

class StreamChannel {
  public:
    // creationFlags are reported back by flags(). Check valid() afterwards.
    StreamChannel(DecodedAudio audio, DWORD creationFlags, int outputRate);
    ~StreamChannel();
    StreamChannel(const StreamChannel&) = delete;
    StreamChannel& operator=(const StreamChannel&) = delete;

    // False when the resampler for this rate could not be made.
    bool valid() const { return !needsResampler() || resampler_ != nullptr; }

    int rate() const { return audio_.rate; }
    DWORD flags() const;
    DWORD lengthBytes() const { return DWORD(audio_.lengthBytes()); }
    DWORD positionBytes() const { return DWORD(frame_ * audio_.frameBytes()); }
    bool playing() const { return playing_; }

    // Rounds down to a whole frame; false (position unchanged) past the end.
    bool setPositionBytes(DWORD position);
    void play(bool fromStart, bool loop);
    void stop() { playing_ = false; }

    // Adds `frames` stereo output frames to mix (interleaved left, right).
    void mixInto(std::int32_t* mix, int frames);

  private:
    bool needsResampler() const { return audio_.rate != outputRate_; }
    int mixDirect(std::int32_t* mix, int frames);
    int mixResampled(std::int32_t* mix, int frames);
    bool feedResampler();
    void forgetPending();

    DecodedAudio audio_;
    DWORD creationFlags_;
    int outputRate_;
    std::size_t frame_ = 0;  // next source frame to play
    bool playing_ = false;
    bool looping_ = false;
    bool drained_ = false;  // the end went into the resampler without looping
    _SDL_AudioStream* resampler_ = nullptr;
};
