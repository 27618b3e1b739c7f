// The plain y3d meshes of one input node: its assimp meshes' triangles
// merged into one vertex array without repeated vertices, one face group
// per material, split into several meshes where a vertex array would pass
// 65535 entries (16-bit indices).
#pragma once

#include <assimp/scene.h>

#include <cstdint>
#include <vector>

#include "scene/scene_vertex.h"
#include "scene/y3d_records.h"

struct BuiltFaceGroup {
    std::uint32_t material = 0;
    std::vector<Y3dTriangle> triangles;  // as the file stores them
};

struct BuiltMesh {
    std::vector<SceneVertex> vertices;
    std::vector<BuiltFaceGroup> groups;  // in order of first use
    std::size_t triangleCount() const;
};

constexpr std::size_t kMaxMeshVertices = 65535;

// A vertex in the scene's space: z negated, v counted from the top.
SceneVertex sceneVertex(const aiMesh& mesh, unsigned index, float scale);

// `meshes` are indices into the scene's meshes.
std::vector<BuiltMesh> buildMeshes(const aiScene& scene, const std::vector<unsigned>& meshes,
                                   float scale);
