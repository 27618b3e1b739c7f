// Key tracks: lists of (time, value) keys that can be evaluated at any time.
// A track is filled in any order, sorted once, and then only evaluated.
// Between two keys the value is interpolated; before the first key the first
// value holds and after the last key the last value holds.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "anim/track_key.h"

class KeyTrack {
  public:
    virtual int kind() const { return 0; }
    virtual ~KeyTrack() = default;

    // Orders the keys by ascending time. Keys with equal times keep the order
    // in which they were added, so a later key at the same time wins from
    // that time on. Keys whose time is NaN go last.
    virtual void sortKeys() = 0;
    virtual std::size_t keyCount() const = 0;
};

// The storage, sorting and evaluation shared by every kind; Value is what a
// key holds and what evaluation returns.
template <typename Value>
class TypedKeyTrack : public KeyTrack {
  public:
    using Key = TrackKey<Value>;

    // Appends the key; no check of order, duplicates or count is made.
    void addKey(const Key& key) { keys_.push_back(key); }
    void sortKeys() override;
    std::size_t keyCount() const override { return keys_.size(); }
    std::span<const Key> keys() const { return keys_; }

    // The value at time t. Allocation-free; scans from the first key.
    Value evaluate(float t) const;

  protected:
    std::vector<Key> keys_;

  private:
    std::size_t firstKeyAfter(float t) const;
};
