// The node hierarchy: up to 16 nodes in up to five levels, each with a name
// and a matrix from the bytes, listed parents first.
#pragma once

#include <assimp/scene.h>

#include <vector>

#include "fuzzed_values.h"

constexpr std::size_t kMostNodes = 16;

inline aiNode* fuzzedNode(ByteSource& in, aiNode* parent, int depth, std::vector<aiNode*>& all) {
    auto* node = new aiNode(fuzzedName(in));
    node->mParent = parent;
    node->mTransformation = fuzzedMatrix(in);
    all.push_back(node);
    const unsigned children = depth < 4 ? in.below(4) : 0;
    node->mChildren = newPointers<aiNode>(children);
    for (unsigned i = 0; i < children && all.size() < kMostNodes; ++i)
        node->mChildren[node->mNumChildren++] = fuzzedNode(in, node, depth + 1, all);
    return node;
}

inline unsigned countNamed(const aiNode& node, const aiString& name) {
    unsigned count = node.mName == name ? 1 : 0;
    for (unsigned i = 0; i < node.mNumChildren; ++i) count += countNamed(*node.mChildren[i], name);
    return count;
}

// Each node holds up to two of the meshes, none twice.
inline void attachMeshes(ByteSource& in, const std::vector<aiNode*>& nodes, unsigned meshes) {
    for (aiNode* node : nodes) {
        const unsigned count = in.below(3);
        if (count == 0) continue;
        node->mMeshes = new unsigned[count];
        for (unsigned i = 0; i < count; ++i) {
            const unsigned mesh = in.below(meshes);
            if (std::find(node->mMeshes, node->mMeshes + node->mNumMeshes, mesh) ==
                node->mMeshes + node->mNumMeshes)
                node->mMeshes[node->mNumMeshes++] = mesh;
        }
    }
}
