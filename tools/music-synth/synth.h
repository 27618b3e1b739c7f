// A short synthesised track for the sample production: drums, bass, pads
// and an arpeggio in A minor at 120 beats a minute, whole bars long so that
// it loops cleanly.
#pragma once

#include <vector>

constexpr int synthRate = 44100;

// Interleaved stereo samples in [-1, 1] for `bars` bars of four beats.
std::vector<float> synthesiseTrack(int bars);
