// Mesh geometry chunks: plain vertices and face groups for the current
// mesh, and packed meshes, which make a morphing mesh of their own.
#include <algorithm>

#include "scene/packed_mesh.h"
#include "scene/scene_reader.h"

// Instances draw their source's geometry, and a packed mesh's vertices
// must keep the length of its morph frames, so neither takes vertices.
bool SceneReader::readMeshVertices() {
    if (mesh_ == nullptr) return fail("mesh vertices before any mesh");
    if (mesh_->isInstance) return fail("vertices for a mesh instance");
    if (mesh_->isMorph) return fail("vertices for a packed mesh");
    const std::uint32_t count = in_.u32();
    if (!in_.holds(count, sizeof(SceneVertex))) return fail(in_.problem());
    mesh_->vertices.resize(count);
    in_.copy(mesh_->vertices.data(), std::size_t(count) * sizeof(SceneVertex));
    return true;
}

// Triangles are stored with their first two corners swapped. Indices are
// checked once the file is read: the vertices may come after the group.
bool SceneReader::readMeshFaceGroup() {
    if (mesh_ == nullptr) return fail("face group before any mesh");
    if (mesh_->isInstance) return fail("face group for a mesh instance");
    const std::uint32_t material = in_.u32();
    const std::uint32_t triangles = in_.u32();
    if (!in_.holds(triangles, 6)) return fail(in_.problem());
    FaceGroup group;
    group.materialIndex = material == kY3dNoMaterial ? -1 : std::int32_t(material);
    group.indices.resize(std::size_t(triangles) * 3);
    for (std::size_t i = 0; i < group.indices.size(); i += 3) {
        group.indices[i + 1] = in_.u16();
        group.indices[i] = in_.u16();
        group.indices[i + 2] = in_.u16();
    }
    if (material != kY3dNoMaterial)
        laterChecks_.push_back({place_, LaterCheck::Kind::Material, material, mesh_});
    if (!group.indices.empty()) {
        const std::uint16_t highest = *std::max_element(group.indices.begin(), group.indices.end());
        laterChecks_.push_back({place_, LaterCheck::Kind::MeshVertex, highest, mesh_});
    }
    mesh_->faceGroups.push_back(std::move(group));
    return true;
}

bool SceneReader::readPackedMesh() {
    mesh_ = &scene_->createMesh();
    makeCurrentNode(*mesh_);
    PackedMesh packed;
    std::string problem;
    if (!packed.read(in_, problem)) return fail(in_.failed() ? in_.problem() : problem);
    if (!packed.build(*mesh_, problem)) return fail(problem);
    if (!mesh_->faceGroups.empty()) {
        const std::int32_t highest = mesh_->faceGroups.back().materialIndex;  // sorted ascending
        laterChecks_.push_back({place_, LaterCheck::Kind::Material, std::uint32_t(highest), mesh_});
    }
    return true;
}
