#include "curve_baking.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "node_tracks.h"

namespace {

// About five hours at 60 frames per second.
constexpr double kMostBakedFrames = 1 << 20;

// For a step: each key, and the value held until one tick before the next.
std::vector<double> stepTimes(const GltfCurve& curve, double tick) {
    std::vector<double> times;
    for (std::size_t i = 0; i < curve.times.size(); ++i) {
        if (i > 0 && curve.times[i] - tick > curve.times[i - 1])
            times.push_back(curve.times[i] - tick);
        times.push_back(curve.times[i]);
    }
    return times;
}

std::vector<double> frameTimes(const GltfCurve& curve, double framesPerSecond) {
    const double first = curve.times.front(), last = curve.times.back();
    std::vector<double> times{first};
    for (double frame = std::floor(first * framesPerSecond) + 1; frame / framesPerSecond < last;
         ++frame)
        times.push_back(frame / framesPerSecond);
    if (last > first) times.push_back(last);
    return times;
}

// The times, in seconds, at which a curve is written.
std::vector<double> bakedKeyTimes(const GltfCurve& curve, double framesPerSecond) {
    if (curve.shape == CurveShape::Step)
        return stepTimes(curve, 1 / (SceneClock::kTicks * framesPerSecond));
    return frameTimes(curve, framesPerSecond);
}

template <typename Key>
void replaceKeys(Key*& keys, unsigned& count, const std::vector<Key>& baked) {
    delete[] keys;
    keys = new Key[baked.size()];
    std::copy(baked.begin(), baked.end(), keys);
    count = unsigned(baked.size());
}

void bakeInto(aiNodeAnim& channel, const GltfCurve& curve, double ticksPerSecond,
              double framesPerSecond) {
    std::vector<aiVectorKey> vectors;
    std::vector<aiQuatKey> rotations;
    for (const double seconds : bakedKeyTimes(curve, framesPerSecond)) {
        const std::vector<float> v = curve.valueAt(seconds);
        const double time = seconds * ticksPerSecond;
        if (curve.path == CurvePath::Rotation)
            rotations.push_back({time, aiQuaternion(v[3], v[0], v[1], v[2])});
        else
            vectors.push_back({time, aiVector3D(v[0], v[1], v[2])});
    }
    if (curve.path == CurvePath::Rotation)
        replaceKeys(channel.mRotationKeys, channel.mNumRotationKeys, rotations);
    else if (curve.path == CurvePath::Translation)
        replaceKeys(channel.mPositionKeys, channel.mNumPositionKeys, vectors);
    else
        replaceKeys(channel.mScalingKeys, channel.mNumScalingKeys, vectors);
}

// Morph keys naming every target with its weight.
void bakeWeightsInto(aiMeshMorphAnim& channel, const GltfCurve& curve, double ticksPerSecond,
                     double framesPerSecond) {
    const std::vector<double> times = bakedKeyTimes(curve, framesPerSecond);
    auto* keys = new aiMeshMorphKey[times.size()];
    for (std::size_t k = 0; k < times.size(); ++k) {
        const std::vector<float> weights = curve.valueAt(times[k]);
        keys[k].mTime = times[k] * ticksPerSecond;
        keys[k].mNumValuesAndWeights = unsigned(weights.size());
        keys[k].mValues = new unsigned[weights.size()];
        keys[k].mWeights = new double[weights.size()];
        for (std::size_t t = 0; t < weights.size(); ++t) {
            keys[k].mValues[t] = unsigned(t);
            keys[k].mWeights[t] = weights[t];
        }
    }
    delete[] channel.mKeys;
    channel.mKeys = keys;
    channel.mNumKeys = unsigned(times.size());
}

// The channel animating the node of that name (`name` is the member
// naming it), or null.
template <typename Channel>
Channel* channelNamed(Channel** channels, unsigned count, aiString Channel::*name,
                      const std::string& nodeName) {
    for (unsigned i = 0; i < count; ++i)
        if (nodeName == (channels[i]->*name).C_Str()) return channels[i];
    return nullptr;
}

}  // namespace

void bakeCurves(aiAnimation& animation, const std::vector<GltfCurve>& curves,
                double framesPerSecond, std::vector<std::string>& warnings) {
    const double ticksPerSecond = animation.mTicksPerSecond > 0 ? animation.mTicksPerSecond : 25;
    for (const GltfCurve& curve : curves) {
        const bool weights = curve.path == CurvePath::Weights;
        aiNodeAnim* channel = weights ? nullptr
                                      : channelNamed(animation.mChannels, animation.mNumChannels,
                                                     &aiNodeAnim::mNodeName, curve.nodeName);
        aiMeshMorphAnim* morph =
            weights ? channelNamed(animation.mMorphMeshChannels, animation.mNumMorphMeshChannels,
                                   &aiMeshMorphAnim::mName, curve.nodeName)
                    : nullptr;
        if (channel == nullptr && morph == nullptr) continue;
        if (curve.shape == CurveShape::CubicSpline &&
            (curve.times.back() - curve.times.front()) * framesPerSecond > kMostBakedFrames)
            warnings.push_back("the cubic curve of '" + curve.nodeName +
                               "' is too long to bake; played linearly");
        else if (weights)
            bakeWeightsInto(*morph, curve, ticksPerSecond, framesPerSecond);
        else
            bakeInto(*channel, curve, ticksPerSecond, framesPerSecond);
    }
}
