#include "scene_info_parts.h"

const SceneCamera* asCamera(const SceneNode& node) {
    return dynamic_cast<const SceneCamera*>(&node);
}

const SceneMesh* asMesh(const SceneNode& node) {
    return dynamic_cast<const SceneMesh*>(&node);
}

const char* nodeKindName(const SceneNode& node) {
    if (asMesh(node) != nullptr) return "mesh";
    if (asCamera(node) != nullptr) return "camera";
    if (dynamic_cast<const SceneLight*>(&node) != nullptr) return "light";
    return "dummy";
}

std::vector<std::pair<const char*, std::size_t>> keyCounts(const SceneNode& node) {
    std::vector<std::pair<const char*, std::size_t>> counts = {
        {"position", node.positionTrack.keyCount()},
        {"rotation", node.rotationTrack.keyCount()},
        {"scale", node.scaleTrack.keyCount()}};
    if (const SceneCamera* camera = asCamera(node)) {
        counts.push_back({"fov", camera->fieldOfViewTrack.keyCount()});
        counts.push_back({"roll", camera->rollTrack.keyCount()});
    }
    return counts;
}

const char* layerName(int layer) {
    static const char* const names[] = {"colour", "opacity", "reflection", "unused"};
    return names[layer];
}

namespace {

// Depth first from `top`, children in order, without recursion.
void placeSubtree(const SceneNode& top, bool outside, std::vector<PlacedNode>& placed) {
    std::vector<PlacedNode> pending{{&top, 1, outside}};
    while (!pending.empty()) {
        const PlacedNode current = pending.back();
        pending.pop_back();
        placed.push_back(current);
        for (auto child = current.node->children.rbegin(); child != current.node->children.rend();
             ++child)
            pending.push_back({*child, current.depth + 1, outside});
    }
}

}  // namespace

std::vector<PlacedNode> nodeTree(const Scene& scene) {
    std::vector<PlacedNode> placed;
    for (const SceneNode* child : scene.root.children) placeSubtree(*child, false, placed);
    for (const auto& node : scene.nodes)
        if (node->parent == nullptr) placeSubtree(*node, true, placed);
    return placed;
}

std::vector<SceneVertex> morphVerticesAt(const SceneMesh& mesh, float time) {
    std::vector<SceneVertex> vertices(mesh.vertices.size());
    const MorphPose pose = mesh.poseAt(time);
    if (pose.from != nullptr) mesh.writePose(pose, vertices.data());
    return vertices;
}
