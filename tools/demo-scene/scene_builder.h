// Writes the nodes of a scene: gives each an id, links it under its parent,
// aims it at its target, and keeps track of mesh indices so that instances
// can name their source. Materials and timing are written by the caller.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "d3dx/d3dx_math_types.h"
#include "mesh_geometry.h"
#include "scene/y3d_chunk_writers.h"

// A node's tracks: position, rotation (keys relative to the key before),
// scale. Every node is written with at least one key on each.
struct NodeMotion {
    std::vector<Y3dVectorKey> position{{0, {0, 0, 0}}};
    std::vector<Y3dRotationKey> rotation{{0, {0, 0, 0, 1}}};
    std::vector<Y3dVectorKey> scale{{0, {1, 1, 1}}};
};

// A node that stays where it is put.
NodeMotion placedAt(D3DXVECTOR3 position, D3DXQUATERNION turn = {0, 0, 0, 1}, float scale = 1);

constexpr std::int32_t kNoNode = -1;

struct CameraTracks {
    std::vector<Y3dScalarKey> fieldOfView;  // radians, horizontal; ascending times
    std::vector<Y3dScalarKey> roll;         // radians; ascending times
};

class SceneBuilder {
  public:
    explicit SceneBuilder(Y3dWriter& out) : out_(out) {}

    // Each returns the new node's id; meshes also count towards mesh indices.
    std::int32_t mesh(const std::string& name, std::int32_t parent, const NodeMotion& motion,
                      const MeshGeometry& geometry);
    std::int32_t instance(const std::string& name, std::int32_t parent, const NodeMotion& motion,
                          std::int32_t sourceMesh);
    std::int32_t packedMesh(const std::string& name, std::int32_t parent, const NodeMotion& motion,
                            const Y3dPackedMesh& mesh);
    std::int32_t dummy(const std::string& name, std::int32_t parent, const NodeMotion& motion);
    std::int32_t light(const std::string& name, std::int32_t parent, std::int32_t target,
                       const NodeMotion& motion, const Y3dLight& light);
    std::int32_t camera(const std::string& name, std::int32_t target, const NodeMotion& motion,
                        const Y3dCamera& camera, const CameraTracks& tracks);

    // The mesh index of the mesh node with this id.
    std::int32_t meshIndexOf(std::int32_t id) const { return meshIndices_.at(id); }
    std::size_t meshCount() const { return meshCount_; }
    std::size_t triangleCount() const { return triangles_; }
    std::size_t vertexCount() const { return vertices_; }

  private:
    // The header and tracks of a node whose chunk is open; closes it.
    std::int32_t finishNode(const std::string& name, std::int32_t parent, std::int32_t target,
                            const NodeMotion& motion);
    std::int32_t countMesh(std::int32_t id);
    D3DXMATRIX worldAtStart(std::int32_t parent, const NodeMotion& motion) const;

    Y3dWriter& out_;
    std::int32_t nextId_ = 1;
    std::map<std::int32_t, D3DXMATRIX> startWorlds_;
    std::map<std::int32_t, std::int32_t> meshIndices_;
    std::size_t meshCount_ = 0;
    std::size_t triangles_ = 0;
    std::size_t vertices_ = 0;
};
