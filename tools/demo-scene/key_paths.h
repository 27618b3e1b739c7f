// Key tracks sampled from formulas over one loop of the scene. Every track
// gets a key at the loop's start and one at its end, so a formula that
// returns to its start makes a seamless loop.
#pragma once

#include <functional>
#include <vector>

#include "scene/y3d_records.h"

using VectorPath = std::function<D3DXVECTOR3(float phase)>;
using ScalarPath = std::function<float(float phase)>;
using TurnPath = std::function<D3DXQUATERNION(float phase)>;

// steps + 1 keys at phases 0, 1/steps, ..., 1.
std::vector<Y3dVectorKey> sampleVectors(unsigned steps, const VectorPath& path);
std::vector<Y3dScalarKey> sampleScalars(unsigned steps, const ScalarPath& path);
// Orientations sampled as absolute turns and stored, as the format wants,
// each relative to the key before it. Steps must be small enough that no
// two neighbouring orientations are half a turn apart.
std::vector<Y3dRotationKey> sampleTurns(unsigned steps, const TurnPath& path);
// Absolute orientation keys (in time order) made relative to their
// predecessors; the first stays absolute.
std::vector<Y3dRotationKey> relativeTurns(const std::vector<Y3dRotationKey>& absolute);

// `turns` whole turns about `axis` over the loop, at an even pace.
TurnPath steadySpin(D3DXVECTOR3 axis, float turns);
