#include "scene_builder.h"

#include "d3dx/d3dx_math.h"

NodeMotion placedAt(D3DXVECTOR3 position, D3DXQUATERNION turn, float scale) {
    NodeMotion motion;
    motion.position = {{0, position}};
    motion.rotation = {{0, turn}};
    motion.scale = {{0, {scale, scale, scale}}};
    return motion;
}

std::int32_t SceneBuilder::mesh(const std::string& name, std::int32_t parent,
                                const NodeMotion& motion, const MeshGeometry& geometry) {
    beginMesh(out_);
    writeMeshVertices(out_, geometry.vertices());
    for (const MaterialTriangles& group : geometry.groups())
        writeMeshFaceGroup(out_, group.material, group.triangles);
    triangles_ += geometry.triangleCount();
    vertices_ += geometry.vertices().size();
    return countMesh(finishNode(name, parent, kNoNode, motion));
}

std::int32_t SceneBuilder::instance(const std::string& name, std::int32_t parent,
                                    const NodeMotion& motion, std::int32_t sourceMesh) {
    beginMeshInstance(out_, std::uint32_t(sourceMesh));
    return countMesh(finishNode(name, parent, kNoNode, motion));
}

std::int32_t SceneBuilder::packedMesh(const std::string& name, std::int32_t parent,
                                      const NodeMotion& motion, const Y3dPackedMesh& mesh) {
    beginPackedMesh(out_, mesh);
    triangles_ += mesh.faces.size();
    vertices_ += mesh.vertexCount;
    return countMesh(finishNode(name, parent, kNoNode, motion));
}

std::int32_t SceneBuilder::dummy(const std::string& name, std::int32_t parent,
                                 const NodeMotion& motion) {
    beginDummy(out_);
    return finishNode(name, parent, kNoNode, motion);
}

std::int32_t SceneBuilder::light(const std::string& name, std::int32_t parent, std::int32_t target,
                                 const NodeMotion& motion, const Y3dLight& light) {
    beginLight(out_, light);
    return finishNode(name, parent, target, motion);
}

std::int32_t SceneBuilder::camera(const std::string& name, std::int32_t target,
                                  const NodeMotion& motion, const Y3dCamera& camera,
                                  const CameraTracks& tracks) {
    beginCamera(out_, camera);
    if (!tracks.fieldOfView.empty()) writeFieldOfViewTrack(out_, tracks.fieldOfView);
    if (!tracks.roll.empty()) writeRollTrack(out_, tracks.roll);
    return finishNode(name, kNoNode, target, motion);
}

std::int32_t SceneBuilder::finishNode(const std::string& name, std::int32_t parent,
                                      std::int32_t target, const NodeMotion& motion) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = nextId_++;
    header.parentId = parent;
    header.targetId = target;
    const D3DXMATRIX world = worldAtStart(parent, motion);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column)
            header.matrix[std::size_t(row * 3 + column)] = world(UINT(row), UINT(column));
    startWorlds_[header.id] = world;
    writeNodeHeader(out_, header);
    writePositionTrack(out_, motion.position);
    writeRotationTrack(out_, motion.rotation);
    writeScaleTrack(out_, motion.scale);
    out_.end();
    return header.id;
}

std::int32_t SceneBuilder::countMesh(std::int32_t id) {
    meshIndices_[id] = std::int32_t(meshCount_++);
    return id;
}

// The header's matrix is the node's world transform at time 0, as the
// player composes it (scale, turn, move, then the parent's world); the
// first key of each track is that track's value at time 0.
D3DXMATRIX SceneBuilder::worldAtStart(std::int32_t parent, const NodeMotion& motion) const {
    const D3DXVECTOR3 s = motion.scale.front().value;
    const D3DXVECTOR3 p = motion.position.front().value;
    D3DXMATRIX scaling, turning, moving, local, world;
    D3DXMatrixScaling(&scaling, s.x, s.y, s.z);
    D3DXMatrixRotationQuaternion(&turning, &motion.rotation.front().value);
    D3DXMatrixTranslation(&moving, p.x, p.y, p.z);
    D3DXMatrixMultiply(&local, &scaling, &turning);
    D3DXMatrixMultiply(&local, &local, &moving);
    const auto found = startWorlds_.find(parent);
    if (found == startWorlds_.end()) return local;
    D3DXMatrixMultiply(&world, &local, &found->second);
    return world;
}
