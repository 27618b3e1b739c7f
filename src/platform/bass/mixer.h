// The streams the library holds, by handle, and their sum as 16-bit stereo.
// Not locked: the caller keeps the audio thread out while it changes the set.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/bass/stream_channel.h"

class Mixer {
  public:
    // Takes the channel; returns its handle (never 0).
    DWORD add(std::unique_ptr<StreamChannel> channel);
    // Null for an unknown handle.
    StreamChannel* find(DWORD handle) const;
    // Hands the channel back so that the caller frees it outside its lock.
    std::unique_ptr<StreamChannel> remove(DWORD handle);
    std::vector<std::unique_ptr<StreamChannel>> removeAll();

    // Writes `frames` interleaved stereo frames: every playing stream added
    // up, clipped to 16 bits; silence when nothing plays. now: the layer's
    // clock as the output asks for them.
    void render(std::int16_t* out, int frames, double now = 0);

  private:
    std::map<DWORD, std::unique_ptr<StreamChannel>> channels_;
    DWORD nextHandle_ = 1;
    std::vector<std::int32_t> sum_;
};
