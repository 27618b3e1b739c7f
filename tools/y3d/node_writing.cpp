// Writing the planned nodes: header, tracks and the kind's own chunks.
#include "mesh_building.h"
#include "mirroring.h"
#include "scene_converter.h"

// The header's matrix is the node's world matrix at time 0.
void SceneConverter::writeHeader(const std::string& name, std::int32_t id, std::int32_t parentId,
                                 std::int32_t targetId, const aiNode* node) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = id;
    header.parentId = parentId;
    header.targetId = targetId;
    if (node != nullptr) header.matrix = mirroredMatrix(poses_.global(*node, 0), options_.scale);
    writeNodeHeader(out_, header);
}

void SceneConverter::writeTracks(const aiNode* node) {
    const NodeTracks tracks =
        node != nullptr
            ? nodeTracks(node->mTransformation, poses_.channelOf(*node), clock_, options_.scale)
            : nodeTracks(aiMatrix4x4(), nullptr, clock_, options_.scale);
    writePositionTrack(out_, tracks.positions);
    writeRotationTrack(out_, tracks.rotations);
    writeScaleTrack(out_, tracks.scales);
}

// A node that holds still at `at` in its parent's space.
void SceneConverter::writeStill(const std::string& name, std::int32_t id, std::int32_t parentId,
                                std::int32_t targetId, D3DXVECTOR3 at) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = id;
    header.parentId = parentId;
    header.targetId = targetId;
    writeNodeHeader(out_, header);
    writePositionTrack(out_, std::vector<Y3dVectorKey>{{0, at}});
    writeRotationTrack(out_, std::vector<Y3dRotationKey>{{0, {0, 0, 0, 1}}});
    writeScaleTrack(out_, std::vector<Y3dVectorKey>{{0, {1, 1, 1}}});
}

// The node's geometry. The first part is the node itself when it is a
// mesh node; other parts are children of it that follow it unmoved.
void SceneConverter::writeMeshParts(const PlannedNode& planned, bool firstIsNode) {
    const std::vector<BuiltMesh> parts =
        buildMeshes(scene_, triangleMeshesOf(scene_, *planned.node), options_.scale);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const BuiltMesh& part = parts[i];
        beginMesh(out_);
        if (i == 0 && firstIsNode) {
            writeHeader(planned.name, planned.id, planned.parentId, -1, planned.node);
            writeTracks(planned.node);
        } else {
            writeStill(names_.claim(planned.name + "#" + std::to_string(i + 1)), nextId_++,
                       planned.id, -1, {0, 0, 0});
            ++result_.summary.meshNodes;
        }
        writeMeshVertices(out_, part.vertices);
        for (const BuiltFaceGroup& group : part.groups)
            writeMeshFaceGroup(out_, group.material, group.triangles);
        out_.end();
        ++result_.summary.meshes;
        result_.summary.vertices += part.vertices.size();
        result_.summary.triangles += part.triangleCount();
    }
}

void SceneConverter::writeNode(const PlannedNode& planned) {
    switch (planned.kind) {
        case PlannedKind::Mesh:
            if (writeMorphMesh(planned)) return;
            ++result_.summary.meshNodes;
            writeMeshParts(planned, true);
            return;
        case PlannedKind::Camera:
            writeCamera(planned);
            break;
        case PlannedKind::Light:
            writeLight(planned);
            break;
        case PlannedKind::Dummy:
            beginDummy(out_);
            writeHeader(planned.name, planned.id, planned.parentId, -1, planned.node);
            writeTracks(planned.node);
            out_.end();
            ++result_.summary.dummies;
            break;
    }
    if (planned.kind != PlannedKind::Dummy) writeMeshParts(planned, false);
}
