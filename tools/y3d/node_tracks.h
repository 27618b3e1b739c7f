// A node's y3d position, rotation and scale tracks, from its animation
// channel at the input's key times or, without one, from its matrix.
#pragma once

#include <assimp/scene.h>

#include <vector>

#include "scene/y3d_records.h"

// Input animation time to scene ticks: F scene frames per second and
// 160 ticks per frame.
struct SceneClock {
    static constexpr int kTicks = 160;  // per scene frame
    double inputTicksPerSecond = 25;
    double framesPerSecond = 30;
    std::int32_t tickOf(double inputTime) const;
    double secondsOfTick(double tick) const;
};

struct NodeTracks {
    std::vector<Y3dVectorKey> positions;
    std::vector<Y3dRotationKey> rotations;  // each relative to the key before it
    std::vector<Y3dVectorKey> scales;
};

// `channel` may be null.
NodeTracks nodeTracks(const aiMatrix4x4& matrix, const aiNodeAnim* channel, const SceneClock& clock,
                      float scale);

// Absolute rotations to keys relative to their predecessors: key i holds
// the rotation that, applied after key i−1's, gives key i's.
void makeRotationsRelative(std::vector<Y3dRotationKey>& keys);
