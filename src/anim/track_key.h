// The key records of the track kinds: a time followed by the value at that
// time, all 32-bit floats.
#pragma once

#include "d3dx/d3dx_math_types.h"

template <typename Value>
struct TrackKey {
    float time;
    Value value;
};

// Four colour components: r, g, b, a in the order the owner gives them.
struct ColorValue {
    float c0, c1, c2, c3;
};

using ScalarKey = TrackKey<float>;
using VectorKey = TrackKey<D3DXVECTOR3>;
using RotationKey = TrackKey<D3DXQUATERNION>;  // the rotation as x, y, z, w
using ColorKey = TrackKey<ColorValue>;

static_assert(sizeof(ScalarKey) == 8 && sizeof(VectorKey) == 16);
static_assert(sizeof(RotationKey) == 20 && sizeof(ColorKey) == 20);
