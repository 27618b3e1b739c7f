#include "key_paths.h"

#include "d3dx/d3dx_math.h"
#include "scene_timing.h"
#include "vector_math.h"

namespace {

float phaseOf(unsigned step, unsigned steps) {
    return float(step) / float(steps);
}

}  // namespace

std::vector<Y3dVectorKey> sampleVectors(unsigned steps, const VectorPath& path) {
    std::vector<Y3dVectorKey> keys;
    for (unsigned i = 0; i <= steps; ++i) {
        const float phase = phaseOf(i, steps);
        keys.push_back({loopTick(phase), path(phase)});
    }
    return keys;
}

std::vector<Y3dScalarKey> sampleScalars(unsigned steps, const ScalarPath& path) {
    std::vector<Y3dScalarKey> keys;
    for (unsigned i = 0; i <= steps; ++i) {
        const float phase = phaseOf(i, steps);
        keys.push_back({loopTick(phase), path(phase)});
    }
    return keys;
}

std::vector<Y3dRotationKey> sampleTurns(unsigned steps, const TurnPath& path) {
    std::vector<Y3dRotationKey> absolute;
    for (unsigned i = 0; i <= steps; ++i) {
        const float phase = phaseOf(i, steps);
        absolute.push_back({loopTick(phase), path(phase)});
    }
    return relativeTurns(absolute);
}

// The player rebuilds key i as "key i−1, then key i", the product
// D3DXQuaternionMultiply(previous, relative); so the relative turn is
// "undo the previous, then the current". It is kept on the short side
// (w ≥ 0) so that the rebuilt keys never jump to the opposite sign.
std::vector<Y3dRotationKey> relativeTurns(const std::vector<Y3dRotationKey>& absolute) {
    std::vector<Y3dRotationKey> keys;
    for (std::size_t i = 0; i < absolute.size(); ++i) {
        if (i == 0) {
            keys.push_back(absolute[0]);
            continue;
        }
        const D3DXQUATERNION undo = conjugate(absolute[i - 1].value);
        D3DXQUATERNION relative;
        D3DXQuaternionMultiply(&relative, &undo, &absolute[i].value);
        if (relative.w < 0) relative = {-relative.x, -relative.y, -relative.z, -relative.w};
        keys.push_back({absolute[i].time, relative});
    }
    return keys;
}

TurnPath steadySpin(D3DXVECTOR3 axis, float turns) {
    return [axis, turns](float phase) { return axisAngle(axis, 2 * kPi * turns * phase); };
}
