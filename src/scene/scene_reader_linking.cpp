// After the walk: indices that could name later objects are checked, then
// the hierarchy is linked by ids and parent cycles are refused.
#include <unordered_map>

#include "scene/scene_reader.h"

bool SceneReader::runLaterChecks() {
    std::string problem;
    for (const LaterCheck& check : laterChecks_)
        if (!passes(check, problem)) return failAt(check.place, problem);
    return true;
}

bool SceneReader::passes(const LaterCheck& check, std::string& problem) const {
    problem.clear();
    const std::string index = std::to_string(check.index);
    switch (check.kind) {
        case LaterCheck::Kind::Material:
            if (check.index < scene_->materials.size()) return true;
            problem = "material " + index + " of " + std::to_string(scene_->materials.size());
            return false;
        case LaterCheck::Kind::SourceMesh:
            if (check.index >= scene_->meshes.size())
                problem = "source mesh " + index + " of " + std::to_string(scene_->meshes.size());
            else if (scene_->meshes[check.index]->isInstance)
                problem = "source mesh " + index + " is itself an instance";
            return problem.empty();
        case LaterCheck::Kind::MeshVertex:
            if (check.index < check.mesh->vertices.size()) return true;
            problem = "vertex " + index + " of " + std::to_string(check.mesh->vertices.size());
            return false;
    }
    return true;
}

// Parent and target are the first node, in file order, with the id. A node
// whose parent id matches nothing stays outside the hierarchy (never updated).
bool SceneReader::linkHierarchy() {
    auto& nodes = scene_->nodes;
    std::unordered_map<std::int32_t, std::size_t> firstWithId;
    for (std::size_t i = 0; i < nodes.size(); ++i) firstWithId.try_emplace(nodes[i]->id, i);
    std::vector<std::ptrdiff_t> parents(nodes.size(), -1);  // -1: root or none
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        SceneNode& node = *nodes[i];
        const auto parent = firstWithId.find(node.parentId);
        if (node.parentId == -1) {
            node.parent = &scene_->root;
        } else if (parent != firstWithId.end()) {
            node.parent = nodes[parent->second].get();
            parents[i] = std::ptrdiff_t(parent->second);
        }
        if (node.parent != nullptr) node.parent->children.push_back(&node);
        const auto target = firstWithId.find(node.targetId);
        if (node.targetId != -1 && target != firstWithId.end())
            node.target = nodes[target->second].get();
    }
    return rejectParentCycles(parents);
}

// Follows each node's parents until the root, a node already known to be
// clear, or a node of the current chain (a cycle, its own parent included).
bool SceneReader::rejectParentCycles(const std::vector<std::ptrdiff_t>& parents) {
    enum class Mark : unsigned char { Unseen, OnChain, Clear };
    std::vector<Mark> marks(parents.size(), Mark::Unseen);
    for (std::size_t start = 0; start < parents.size(); ++start) {
        std::ptrdiff_t i = std::ptrdiff_t(start);
        while (i >= 0 && marks[i] == Mark::Unseen) {
            marks[i] = Mark::OnChain;
            i = parents[i];
        }
        if (i >= 0 && marks[i] == Mark::OnChain) {
            const SceneNode& node = *scene_->nodes[i];
            return failAt(nodePlaces_[i], node.parentId == node.id
                                              ? "node is its own parent"
                                              : "node is part of a parent cycle");
        }
        for (i = std::ptrdiff_t(start); i >= 0 && marks[i] == Mark::OnChain; i = parents[i])
            marks[i] = Mark::Clear;
    }
    return true;
}
