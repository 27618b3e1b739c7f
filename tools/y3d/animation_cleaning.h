// The input's animation as the converter samples it: assimp lets keys
// through whose times are not numbers or run backwards (its validation
// only warns), but interpolation and relative rotations need every key at
// a time, in time order.
#pragma once

#include <assimp/anim.h>

#include <memory>

// A copy of `animation` whose channels keep only keys at finite times,
// sorted by time (keys at equal times keep their order).
std::unique_ptr<aiAnimation> cleanedAnimation(const aiAnimation& animation);

// Whether every key of `animation` is already at a finite time and in time
// order, as nearly every input's are: then it needs no cleaned copy.
bool isClean(const aiAnimation& animation);
