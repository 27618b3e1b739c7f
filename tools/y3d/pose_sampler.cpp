#include "pose_sampler.h"

#include <algorithm>

namespace {

// Index of the last key at or before `time`, keys ascending; 0 before the first.
template <typename Key>
unsigned segmentStart(const Key* keys, unsigned count, double time) {
    const Key* after = std::upper_bound(keys, keys + count, time,
                                        [](double t, const Key& key) { return t < key.mTime; });
    return after == keys ? 0 : unsigned(after - keys - 1);
}

template <typename Key>
double segmentFraction(const Key* keys, unsigned i, double time) {
    const double span = keys[i + 1].mTime - keys[i].mTime;
    return span > 0 ? std::clamp((time - keys[i].mTime) / span, 0.0, 1.0) : 0.0;
}

}  // namespace

aiVector3D vectorAt(const aiVectorKey* keys, unsigned count, double time) {
    if (count == 0) return {0, 0, 0};
    const unsigned i = segmentStart(keys, count, time);
    if (i + 1 >= count || time <= keys[0].mTime) return keys[time <= keys[0].mTime ? 0 : i].mValue;
    const float s = float(segmentFraction(keys, i, time));
    return keys[i].mValue + (keys[i + 1].mValue - keys[i].mValue) * s;
}

aiQuaternion rotationAt(const aiQuatKey* keys, unsigned count, double time) {
    if (count == 0) return {};
    const unsigned i = segmentStart(keys, count, time);
    if (i + 1 >= count || time <= keys[0].mTime) return keys[time <= keys[0].mTime ? 0 : i].mValue;
    aiQuaternion out;
    aiQuaternion::Interpolate(out, keys[i].mValue, keys[i + 1].mValue,
                              float(segmentFraction(keys, i, time)));
    return out.Normalize();
}

PoseSampler::PoseSampler(const aiScene& scene, const aiAnimation* animation) {
    if (animation == nullptr) return;
    if (animation->mTicksPerSecond > 0) ticksPerSecond_ = animation->mTicksPerSecond;
    for (unsigned i = 0; i < animation->mNumChannels; ++i) {
        const aiNodeAnim* channel = animation->mChannels[i];
        const aiNode* node = scene.mRootNode->FindNode(channel->mNodeName);
        if (node != nullptr) channels_.emplace(node, channel);
    }
}

const aiNodeAnim* PoseSampler::channelOf(const aiNode& node) const {
    const auto found = channels_.find(&node);
    return found == channels_.end() ? nullptr : found->second;
}

bool PoseSampler::movesWithAnimation(const aiNode& node) const {
    for (const aiNode* n = &node; n != nullptr; n = n->mParent)
        if (channelOf(*n) != nullptr) return true;
    return false;
}

// A channel replaces the node's matrix; a track without keys keeps that
// part of the node's own matrix.
aiMatrix4x4 PoseSampler::local(const aiNode& node, double seconds) const {
    const aiNodeAnim* channel = channelOf(node);
    if (channel == nullptr) return node.mTransformation;
    aiVector3D scaling, position;
    aiQuaternion rotation;
    node.mTransformation.Decompose(scaling, rotation, position);
    const double time = seconds * ticksPerSecond_;
    if (channel->mNumPositionKeys > 0)
        position = vectorAt(channel->mPositionKeys, channel->mNumPositionKeys, time);
    if (channel->mNumRotationKeys > 0)
        rotation = rotationAt(channel->mRotationKeys, channel->mNumRotationKeys, time);
    if (channel->mNumScalingKeys > 0)
        scaling = vectorAt(channel->mScalingKeys, channel->mNumScalingKeys, time);
    return aiMatrix4x4(scaling, rotation, position);
}

aiMatrix4x4 PoseSampler::global(const aiNode& node, double seconds) const {
    aiMatrix4x4 m = local(node, seconds);
    for (const aiNode* n = node.mParent; n != nullptr; n = n->mParent) m = local(*n, seconds) * m;
    return m;
}
