// Stepped and cubic animation curves turned into keys the scene's linear
// tracks play back faithfully, in place of the linear keys assimp made of
// them: a step becomes a pair of keys one scene tick apart; a cubic spline
// is sampled at every scene frame between its first and last key.
#pragma once

#include <assimp/anim.h>

#include <string>
#include <vector>

#include "gltf_curves.h"

// The curves of nodes without a channel in `animation` are left out; a
// curve too long to bake stays as assimp read it, with a warning.
void bakeCurves(aiAnimation& animation, const std::vector<GltfCurve>& curves,
                double framesPerSecond, std::vector<std::string>& warnings);
