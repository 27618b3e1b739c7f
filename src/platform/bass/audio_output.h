// The output device: 16-bit stereo at the library's rate, filled from the
// mixer by SDL's audio thread. The thread only mixes decoded PCM; it never
// reads or decodes files. It tells the mixer the layer's clock at each fill.
#pragma once

#include <SDL2/SDL_audio.h>

#include "platform/bass/mixer.h"

class AudioOutput {
  public:
    // device: -1 the default device, 0 no output at all, n >= 1 the n-th
    // device. The output starts paused. False when nothing could be opened.
    bool open(int device, int rate, Mixer& mixer);
    void close();
    void start();
    // The frames SDL asks for at a time (0 without output).
    int bufferFrames() const { return bufferFrames_; }
    // Heard as it plays, at the device's pace. SDL's disk driver writes a
    // file as fast as it is asked to: every frame in turn, no pace to keep.
    bool playsInRealTime() const { return realTime_; }

    // Keeps the audio thread out of the mixer while alive.
    class Lock {
      public:
        explicit Lock(const AudioOutput& output);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        SDL_AudioDeviceID device_;
    };

  private:
    SDL_AudioDeviceID device_ = 0;
    bool subsystemStarted_ = false;
    int bufferFrames_ = 0;
    bool realTime_ = false;
};
