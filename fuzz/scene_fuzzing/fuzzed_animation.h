// Animations as assimp's validation lets them through: at least one
// channel, every node channel with keys of at least one kind, and no key
// after a positive duration. Key times may repeat, run backwards or not be
// numbers at all (validation only warns); channels may name no node, and
// morph keys may name targets the mesh lacks.
#pragma once

#include <assimp/anim.h>
#include <assimp/scene.h>

#include <vector>

#include "fuzzed_values.h"

// Each key's time follows the one before it by a fuzzed step.
class KeyTimes {
  public:
    KeyTimes(ByteSource& in, double duration) : in_(in), duration_(duration) {}

    double next() {
        time_ = first_ ? in_.number() : time_ + in_.number();
        first_ = false;
        if (duration_ > 0 && time_ > duration_ + 0.001) time_ = duration_;
        return time_;
    }

  private:
    ByteSource& in_;
    double duration_;
    double time_ = 0;
    bool first_ = true;
};

template <typename Key, typename MakeValue>
Key* fuzzedKeys(ByteSource& in, unsigned count, double duration, MakeValue value) {
    if (count == 0) return nullptr;
    auto* keys = new Key[count];
    KeyTimes times(in, duration);
    for (unsigned i = 0; i < count; ++i) {
        keys[i].mTime = times.next();
        keys[i].mValue = value();
    }
    return keys;
}

inline aiString channelTarget(ByteSource& in, const std::vector<aiNode*>& nodes) {
    return in.oneIn(8) ? aiText(fuzzedName(in)) : nodes[in.below(unsigned(nodes.size()))]->mName;
}

inline aiNodeAnim* fuzzedNodeChannel(ByteSource& in, const std::vector<aiNode*>& nodes,
                                     double duration) {
    auto* channel = new aiNodeAnim;
    channel->mNodeName = channelTarget(in, nodes);
    channel->mNumPositionKeys = in.below(5);
    channel->mNumRotationKeys = in.below(5);
    channel->mNumScalingKeys = in.below(5);
    if (channel->mNumPositionKeys + channel->mNumRotationKeys + channel->mNumScalingKeys == 0)
        channel->mNumPositionKeys = 1;
    const auto vector = [&] { return fuzzedVector(in); };
    channel->mPositionKeys =
        fuzzedKeys<aiVectorKey>(in, channel->mNumPositionKeys, duration, vector);
    channel->mRotationKeys = fuzzedKeys<aiQuatKey>(in, channel->mNumRotationKeys, duration,
                                                   [&] { return fuzzedRotation(in); });
    channel->mScalingKeys = fuzzedKeys<aiVectorKey>(in, channel->mNumScalingKeys, duration, vector);
    return channel;
}

inline void fuzzMorphKey(ByteSource& in, aiMeshMorphKey& key) {
    key.mNumValuesAndWeights = in.below(4);
    if (key.mNumValuesAndWeights == 0) return;
    key.mValues = new unsigned[key.mNumValuesAndWeights];
    key.mWeights = new double[key.mNumValuesAndWeights];
    for (unsigned v = 0; v < key.mNumValuesAndWeights; ++v) {
        key.mValues[v] = in.below(4);
        key.mWeights[v] = in.number();
    }
}

// Named after a node or a mesh, as importers name them.
inline aiMeshMorphAnim* fuzzedMorphChannel(ByteSource& in, const aiScene& scene,
                                           const std::vector<aiNode*>& nodes, double duration) {
    auto* channel = new aiMeshMorphAnim;
    channel->mName =
        in.oneIn(2) ? scene.mMeshes[in.below(scene.mNumMeshes)]->mName : channelTarget(in, nodes);
    channel->mNumKeys = in.below(5);
    if (channel->mNumKeys == 0) return channel;
    channel->mKeys = new aiMeshMorphKey[channel->mNumKeys];
    KeyTimes times(in, duration);
    for (unsigned i = 0; i < channel->mNumKeys; ++i) {
        channel->mKeys[i].mTime = times.next();
        fuzzMorphKey(in, channel->mKeys[i]);
    }
    return channel;
}

inline aiAnimation* fuzzedAnimation(ByteSource& in, const aiScene& scene,
                                    const std::vector<aiNode*>& nodes) {
    static const double kTicksPerSecond[] = {0, 25, 24, 1000, 1};
    auto* animation = new aiAnimation;
    const unsigned rate = in.below(6);
    animation->mTicksPerSecond = rate < 5 ? kTicksPerSecond[rate] : in.number();
    animation->mDuration = in.number();
    const unsigned channels = in.below(4), morphChannels = in.below(3);
    animation->mNumChannels = channels + morphChannels == 0 ? 1 : channels;
    animation->mChannels = newPointers<aiNodeAnim>(animation->mNumChannels);
    for (unsigned i = 0; i < animation->mNumChannels; ++i)
        animation->mChannels[i] = fuzzedNodeChannel(in, nodes, animation->mDuration);
    animation->mNumMorphMeshChannels = morphChannels;
    animation->mMorphMeshChannels = newPointers<aiMeshMorphAnim>(morphChannels);
    for (unsigned i = 0; i < morphChannels; ++i)
        animation->mMorphMeshChannels[i] =
            fuzzedMorphChannel(in, scene, nodes, animation->mDuration);
    return animation;
}
