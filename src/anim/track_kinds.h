// The four kinds of key track with their kind numbers (3 to 5 are not used).
#pragma once

#include "anim/key_track.h"

// One float; empty value 0.
class ScalarTrack final : public TypedKeyTrack<float> {
  public:
    static constexpr int kKind = 0;
    int kind() const override { return kKind; }
};

// x, y, z; empty value (0, 0, 0).
class VectorTrack final : public TypedKeyTrack<D3DXVECTOR3> {
  public:
    static constexpr int kKind = 1;
    int kind() const override { return kKind; }
};

// A quaternion, blended by spherical interpolation; empty value the identity.
class RotationTrack final : public TypedKeyTrack<D3DXQUATERNION> {
  public:
    static constexpr int kKind = 2;
    int kind() const override { return kKind; }

    // Sorts, then turns keys stored relative to their predecessor into
    // absolute rotations. Used instead of sortKeys, once: a second call would
    // compound the rotations again.
    void prepare();
};

// Four colour components; empty value (0, 0, 0, 1).
class ColorTrack final : public TypedKeyTrack<ColorValue> {
  public:
    static constexpr int kKind = 6;
    int kind() const override { return kKind; }
};
