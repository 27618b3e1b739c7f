#include "animation_cleaning.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

template <typename Key>
void copyKey(const Key& from, Key& to) {
    to = from;
}

void copyKey(const aiMeshMorphKey& from, aiMeshMorphKey& to) {
    to.mTime = from.mTime;
    to.mNumValuesAndWeights = from.mNumValuesAndWeights;
    if (from.mNumValuesAndWeights == 0 || !from.mValues || !from.mWeights) {
        to.mNumValuesAndWeights = 0;
        return;
    }
    to.mValues = new unsigned[to.mNumValuesAndWeights];
    to.mWeights = new double[to.mNumValuesAndWeights];
    std::copy_n(from.mValues, to.mNumValuesAndWeights, to.mValues);
    std::copy_n(from.mWeights, to.mNumValuesAndWeights, to.mWeights);
}

// The keys at finite times, in time order, in a new array (null for none).
template <typename Key>
Key* cleanedKeys(const Key* keys, unsigned count, unsigned& kept) {
    std::vector<const Key*> order;
    for (unsigned i = 0; i < count; ++i)
        if (std::isfinite(keys[i].mTime)) order.push_back(&keys[i]);
    std::stable_sort(order.begin(), order.end(),
                     [](const Key* a, const Key* b) { return a->mTime < b->mTime; });
    kept = unsigned(order.size());
    if (kept == 0) return nullptr;
    Key* out = new Key[kept];
    for (unsigned i = 0; i < kept; ++i) copyKey(*order[i], out[i]);
    return out;
}

aiNodeAnim* cleanedChannel(const aiNodeAnim& from) {
    auto* to = new aiNodeAnim;
    to->mNodeName = from.mNodeName;
    to->mPositionKeys =
        cleanedKeys(from.mPositionKeys, from.mNumPositionKeys, to->mNumPositionKeys);
    to->mRotationKeys =
        cleanedKeys(from.mRotationKeys, from.mNumRotationKeys, to->mNumRotationKeys);
    to->mScalingKeys = cleanedKeys(from.mScalingKeys, from.mNumScalingKeys, to->mNumScalingKeys);
    to->mPreState = from.mPreState;
    to->mPostState = from.mPostState;
    return to;
}

aiMeshMorphAnim* cleanedChannel(const aiMeshMorphAnim& from) {
    auto* to = new aiMeshMorphAnim;
    to->mName = from.mName;
    to->mKeys = cleanedKeys(from.mKeys, from.mNumKeys, to->mNumKeys);
    return to;
}

template <typename Channel>
Channel** cleanedChannels(Channel* const* channels, unsigned count) {
    if (count == 0) return nullptr;
    auto** out = new Channel*[count];
    for (unsigned i = 0; i < count; ++i) out[i] = cleanedChannel(*channels[i]);
    return out;
}

template <typename Key>
bool inOrder(const Key* keys, unsigned count) {
    for (unsigned i = 0; i < count; ++i)
        if (!std::isfinite(keys[i].mTime) || (i > 0 && keys[i].mTime < keys[i - 1].mTime))
            return false;
    return true;
}

bool isClean(const aiNodeAnim& c) {
    return inOrder(c.mPositionKeys, c.mNumPositionKeys) &&
           inOrder(c.mRotationKeys, c.mNumRotationKeys) &&
           inOrder(c.mScalingKeys, c.mNumScalingKeys);
}

}  // namespace

bool isClean(const aiAnimation& animation) {
    for (unsigned i = 0; i < animation.mNumChannels; ++i)
        if (!isClean(*animation.mChannels[i])) return false;
    for (unsigned i = 0; i < animation.mNumMorphMeshChannels; ++i) {
        const aiMeshMorphAnim& c = *animation.mMorphMeshChannels[i];
        if (!inOrder(c.mKeys, c.mNumKeys)) return false;
    }
    return true;
}

std::unique_ptr<aiAnimation> cleanedAnimation(const aiAnimation& animation) {
    auto out = std::make_unique<aiAnimation>();
    out->mName = animation.mName;
    out->mDuration = animation.mDuration;
    out->mTicksPerSecond = animation.mTicksPerSecond;
    out->mNumChannels = animation.mNumChannels;
    out->mChannels = cleanedChannels(animation.mChannels, animation.mNumChannels);
    out->mNumMorphMeshChannels = animation.mNumMorphMeshChannels;
    out->mMorphMeshChannels =
        cleanedChannels(animation.mMorphMeshChannels, animation.mNumMorphMeshChannels);
    return out;
}
