// The input's node transforms at any time of its animation: each animated
// node's keys interpolated as the scene's tracks do it (linear positions
// and scales, spherical rotations), composed down the hierarchy. Used for
// whatever has to be baked at scene frames: camera roll, skinned meshes.
#pragma once

#include <assimp/scene.h>

#include <unordered_map>

class PoseSampler {
  public:
    // `animation` may be null: every node then keeps its own matrix.
    PoseSampler(const aiScene& scene, const aiAnimation* animation);

    const aiNodeAnim* channelOf(const aiNode& node) const;
    // The node or one of its ancestors has keys.
    bool movesWithAnimation(const aiNode& node) const;
    aiMatrix4x4 local(const aiNode& node, double seconds) const;
    aiMatrix4x4 global(const aiNode& node, double seconds) const;
    double ticksPerSecond() const { return ticksPerSecond_; }

  private:
    std::unordered_map<const aiNode*, const aiNodeAnim*> channels_;
    double ticksPerSecond_ = 25;
};

aiVector3D vectorAt(const aiVectorKey* keys, unsigned count, double time);
aiQuaternion rotationAt(const aiQuatKey* keys, unsigned count, double time);
