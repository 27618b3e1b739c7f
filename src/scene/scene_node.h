// The base of every object in a scene's hierarchy: ids from the file, links
// to parent, target and children, the three transform tracks and what
// their last evaluation left (world matrix, world position).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "anim/track_kinds.h"
#include "d3dx/d3dx_math_types.h"

class Scene;

class SceneNode {
  public:
    SceneNode();
    virtual ~SceneNode() = default;
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // Updates this node and every node below it at scene time t, each parent
    // before its children, depth first in child order. The walk keeps its
    // own stack, so however deep the hierarchy, the call stack stays flat.
    void update(Scene& scene, float time);

    // The node's own values at time t: tracks evaluated, world matrix
    // composed as scale, rotation, translation, then the parent's world;
    // position moved into world space by the parent's world.
    virtual void updateOwn(float time);

    std::int32_t parentId = -1;  // -1: directly under the root
    std::int32_t id = -1;
    std::int32_t targetId = -1;  // -1: none
    std::string name;
    SceneNode* parent = nullptr;  // null for the root and for nodes whose parent id matched nothing
    SceneNode* target = nullptr;
    D3DXMATRIX world;
    D3DXQUATERNION rotation{0, 0, 0, 1};
    D3DXVECTOR3 position{0, 0, 0};  // world space after an update
    D3DXVECTOR3 scale{1, 1, 1};
    VectorTrack positionTrack;
    RotationTrack rotationTrack;
    VectorTrack scaleTrack;
    std::vector<SceneNode*> children;  // in link order; not owned
};
