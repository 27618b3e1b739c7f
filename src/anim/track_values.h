// What each kind of track value does: its value when the track is empty and
// how two values are blended between keys.
#pragma once

#include "anim/track_key.h"

template <typename Value>
struct TrackValues;

template <>
struct TrackValues<float> {
    static float empty() { return 0.0f; }
    static float interpolate(float a, float b, float s);
};

template <>
struct TrackValues<D3DXVECTOR3> {
    static D3DXVECTOR3 empty() { return {0.0f, 0.0f, 0.0f}; }
    static D3DXVECTOR3 interpolate(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float s);
};

// Rotations blend along the sphere of unit quaternions, not linearly.
template <>
struct TrackValues<D3DXQUATERNION> {
    static D3DXQUATERNION empty() { return {0.0f, 0.0f, 0.0f, 1.0f}; }
    static D3DXQUATERNION interpolate(const D3DXQUATERNION& a, const D3DXQUATERNION& b, float s);
};

template <>
struct TrackValues<ColorValue> {
    static ColorValue empty() { return {0.0f, 0.0f, 0.0f, 1.0f}; }
    static ColorValue interpolate(const ColorValue& a, const ColorValue& b, float s);
};
