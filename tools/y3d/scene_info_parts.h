// Pieces both info formats use.
#pragma once

#include <string>
#include <vector>

#include "scene/scene.h"

// "mesh", "light", "camera" or "dummy".
const char* nodeKindName(const SceneNode& node);
const SceneCamera* asCamera(const SceneNode& node);
const SceneMesh* asMesh(const SceneNode& node);

// Key counts by track name: position, rotation, scale, and for cameras fov
// and roll.
std::vector<std::pair<const char*, std::size_t>> keyCounts(const SceneNode& node);

// "colour", "opacity", "reflection", "unused" for layers 0 to 3.
const char* layerName(int layer);

// The nodes that are linked under the root, each with its depth (1 for the
// root's children), in depth-first order; then, with depth 1 again, the
// nodes outside the hierarchy (parent id matched nothing) and theirs.
struct PlacedNode {
    const SceneNode* node;
    std::size_t depth;
    bool outside;
};
std::vector<PlacedNode> nodeTree(const Scene& scene);

// A morphing mesh's vertices at a time, as the vertex buffer would get them.
std::vector<SceneVertex> morphVerticesAt(const SceneMesh& mesh, float time);
