// Sorting and evaluation of key tracks, shared by every kind.
#include "anim/key_track.h"

#include <algorithm>
#include <cmath>

#include "anim/track_values.h"

namespace {

// Ascending time; a NaN time comes after every number, so that the order is
// a strict weak one even for bad keys.
bool comesBefore(float a, float b) {
    return a < b || (!std::isnan(a) && std::isnan(b));
}

// Where t lies between a key at start and the next at end, start ≤ t < end.
// A segment too long for floats holds its start value.
float segmentFraction(float start, float end, float t) {
    const float s = (t - start) / (end - start);
    return std::isnan(s) ? 0.0f : s;
}

}  // namespace

template <typename Value>
void TypedKeyTrack<Value>::sortKeys() {
    std::stable_sort(keys_.begin(), keys_.end(),
                     [](const Key& a, const Key& b) { return comesBefore(a.time, b.time); });
}

// The first key from 1 on whose time is above t, or whose time is NaN. Never
// past the last key.
template <typename Value>
std::size_t TypedKeyTrack<Value>::firstKeyAfter(float t) const {
    std::size_t i = 1;
    while (i < keys_.size() - 1 && keys_[i].time <= t) ++i;
    return i;
}

// Before the first key (and for a NaN time) the first value; at or after the
// last key the last value; otherwise the blend across the segment holding t.
// At a time shared by several keys the last of them starts the next segment.
template <typename Value>
Value TypedKeyTrack<Value>::evaluate(float t) const {
    const std::size_t n = keys_.size();
    if (n == 0) return TrackValues<Value>::empty();
    if (n == 1) return keys_[0].value;
    if (!(t >= keys_[0].time)) return keys_[0].value;
    if (t >= keys_[n - 1].time) return keys_[n - 1].value;
    const std::size_t i = firstKeyAfter(t);
    const Key& a = keys_[i - 1];
    const Key& b = keys_[i];
    if (!(b.time > t)) return a.value;  // b's time is NaN: hold a
    return TrackValues<Value>::interpolate(a.value, b.value, segmentFraction(a.time, b.time, t));
}

template class TypedKeyTrack<float>;
template class TypedKeyTrack<D3DXVECTOR3>;
template class TypedKeyTrack<D3DXQUATERNION>;
template class TypedKeyTrack<ColorValue>;
