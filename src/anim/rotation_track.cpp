// Accumulation of relative rotation keys into absolute ones.
#include "anim/track_kinds.h"
#include "d3dx/d3dx_math.h"

// Each key becomes its predecessor's (already absolute) rotation followed by
// its own.
void RotationTrack::prepare() {
    sortKeys();
    for (std::size_t i = 1; i < keys_.size(); ++i) {
        D3DXQuaternionMultiply(&keys_[i].value, &keys_[i - 1].value, &keys_[i].value);
    }
}
