#include "node_tracks.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "d3dx/d3dx_math.h"
#include "mirroring.h"

namespace {

// Input keys whose times round to the same tick: the later one wins.
template <typename Key>
void pushKey(std::vector<Key>& keys, Key key) {
    if (!keys.empty() && keys.back().time == key.time)
        keys.back() = key;
    else
        keys.push_back(key);
}

std::vector<Y3dVectorKey> vectorKeys(const aiVectorKey* keys, unsigned count,
                                     const SceneClock& clock, float scale, bool isPosition) {
    std::vector<Y3dVectorKey> out;
    for (unsigned i = 0; i < count; ++i) {
        const aiVector3D& v = keys[i].mValue;
        const D3DXVECTOR3 value = isPosition ? mirroredPoint(v, scale) : D3DXVECTOR3{v.x, v.y, v.z};
        pushKey(out, Y3dVectorKey{clock.tickOf(keys[i].mTime), value});
    }
    return out;
}

std::vector<Y3dRotationKey> rotationKeys(const aiQuatKey* keys, unsigned count,
                                         const SceneClock& clock) {
    std::vector<Y3dRotationKey> out;
    for (unsigned i = 0; i < count; ++i)
        pushKey(out, Y3dRotationKey{clock.tickOf(keys[i].mTime),
                                    mirroredRotation(aiQuaternion(keys[i].mValue).Normalize())});
    return out;
}

}  // namespace

// Rounded, and held to what 32 bits count (0 for a time that is no number).
std::int32_t SceneClock::tickOf(double inputTime) const {
    const double tick = inputTime / inputTicksPerSecond * kTicks * framesPerSecond;
    if (std::isnan(tick)) return 0;
    return std::int32_t(std::lround(std::clamp(tick, double(INT32_MIN), double(INT32_MAX))));
}

double SceneClock::secondsOfTick(double tick) const {
    return tick / (kTicks * framesPerSecond);
}

void makeRotationsRelative(std::vector<Y3dRotationKey>& keys) {
    for (std::size_t i = keys.size(); i-- > 1;) {
        D3DXQUATERNION before = keys[i - 1].value;
        before.x = -before.x;  // the inverse of a unit quaternion
        before.y = -before.y;
        before.z = -before.z;
        D3DXQuaternionMultiply(&keys[i].value, &before, &keys[i].value);
    }
}

NodeTracks nodeTracks(const aiMatrix4x4& matrix, const aiNodeAnim* channel, const SceneClock& clock,
                      float scale) {
    aiVector3D scaling, position;
    aiQuaternion rotation;
    matrix.Decompose(scaling, rotation, position);
    NodeTracks tracks;
    if (channel != nullptr) {
        tracks.positions =
            vectorKeys(channel->mPositionKeys, channel->mNumPositionKeys, clock, scale, true);
        tracks.rotations = rotationKeys(channel->mRotationKeys, channel->mNumRotationKeys, clock);
        tracks.scales =
            vectorKeys(channel->mScalingKeys, channel->mNumScalingKeys, clock, scale, false);
    }
    if (tracks.positions.empty()) tracks.positions.push_back({0, mirroredPoint(position, scale)});
    if (tracks.rotations.empty())
        tracks.rotations.push_back({0, mirroredRotation(rotation.Normalize())});
    if (tracks.scales.empty()) tracks.scales.push_back({0, {scaling.x, scaling.y, scaling.z}});
    makeRotationsRelative(tracks.rotations);
    return tracks;
}
