#include "scene/y3d_chunk_writers.h"

namespace {

void color(Y3dWriter& out, const Y3dColor& c) {
    out.f32(c.r);
    out.f32(c.g);
    out.f32(c.b);
}

void triangles(Y3dWriter& out, std::span<const Y3dTriangle> list) {
    for (const Y3dTriangle& t : list)
        for (std::uint16_t corner : t) out.u16(corner);
}

void vectorTrack(Y3dWriter& out, Y3dChunk id, std::span<const Y3dVectorKey> keys) {
    out.begin(id);
    out.u32(std::uint32_t(keys.size()));
    for (const Y3dVectorKey& key : keys) {
        out.i32(key.time);
        out.vector(key.value);
    }
    out.end();
}

void scalarTrack(Y3dWriter& out, Y3dChunk id, std::span<const Y3dScalarKey> keys) {
    out.begin(id);
    out.u32(std::uint32_t(keys.size()));
    for (const Y3dScalarKey& key : keys) {
        out.i32(key.time);
        out.f32(key.value);
    }
    out.end();
}

}  // namespace

void beginContainer(Y3dWriter& out) {
    out.begin(Y3dChunk::Container);
}

void writeSceneTiming(Y3dWriter& out, std::int32_t first, std::int32_t length,
                      std::int32_t ticksPerFrame) {
    out.begin(Y3dChunk::SceneTiming);
    out.i32(first);
    out.i32(length);
    out.i32(ticksPerFrame);
    out.end();
}

void beginMaterial(Y3dWriter& out, const Y3dMaterial& material) {
    out.begin(Y3dChunk::Material);
    out.string(material.name);
    for (const Y3dColor* c :
         {&material.diffuse, &material.ambient, &material.specular, &material.emissive})
        color(out, *c);
    out.f32(material.shininess);
    out.f32(material.transparency);
    out.u32(material.flags);
}

void writeMaterialMap(Y3dWriter& out, std::uint16_t layer, std::string_view fileName) {
    out.begin(Y3dChunk::MaterialMap);
    out.u16(layer);
    out.string(fileName);
    for (std::size_t i = 0; i < kY3dMaterialMapTail / 4; ++i) out.u32(0);
    out.end();
}

void beginMesh(Y3dWriter& out) {
    out.begin(Y3dChunk::Mesh);
}

void beginMeshInstance(Y3dWriter& out, std::uint32_t sourceIndex) {
    out.begin(Y3dChunk::MeshInstance);
    out.u32(sourceIndex);
}

void beginLight(Y3dWriter& out, const Y3dLight& light) {
    out.begin(Y3dChunk::Light);
    out.u16(light.kind);
    color(out, light.diffuse);
    color(out, light.ambient);
    color(out, light.specular);
    out.u16(light.attenuationMode);
    out.f32(light.attenuationDistance);
    out.f32(light.innerConeAngle);
    out.f32(light.outerConeAngle);
    out.f32(light.directionLength);
    out.f32(0);
}

void beginCamera(Y3dWriter& out, const Y3dCamera& camera) {
    out.begin(Y3dChunk::Camera);
    out.u16(camera.kind);
    out.f32(camera.fieldOfView);
    out.f32(camera.targetDistance);
    out.f32(0);
    out.f32(0);
}

void beginDummy(Y3dWriter& out) {
    out.begin(Y3dChunk::Dummy);
}

void beginPackedMesh(Y3dWriter& out, const Y3dPackedMesh& mesh) {
    out.begin(Y3dChunk::PackedMesh);
    out.u32(mesh.vertexCount);
    out.u32(std::uint32_t(mesh.frames.size()));
    for (const Y3dMorphFrame& frame : mesh.frames) {
        out.i32(frame.time);
        for (const D3DXVECTOR3& p : frame.positions) out.vector(p);
    }
    out.u32(std::uint32_t(mesh.faces.size()));
    triangles(out, mesh.faces);
    for (std::uint16_t material : mesh.faceMaterials) out.u16(material);
    for (std::uint16_t group : mesh.smoothingGroups) out.u16(group);
    out.u32(std::uint32_t(mesh.textureCoordinates.size()));
    for (const D3DXVECTOR2& uv : mesh.textureCoordinates) out.pair(uv);
    if (!mesh.textureCoordinates.empty()) triangles(out, mesh.textureFaces);
}

void writeMeshVertices(Y3dWriter& out, std::span<const SceneVertex> vertices) {
    out.begin(Y3dChunk::MeshVertices);
    out.u32(std::uint32_t(vertices.size()));
    for (const SceneVertex& v : vertices) {
        out.vector(v.position);
        out.vector(v.normal);
        out.pair({v.u, v.v});
    }
    out.end();
}

void writeMeshFaceGroup(Y3dWriter& out, std::uint32_t material, std::span<const Y3dTriangle> list) {
    out.begin(Y3dChunk::MeshFaceGroup);
    out.u32(material);
    out.u32(std::uint32_t(list.size()));
    triangles(out, list);
    out.end();
}

void writeNodeHeader(Y3dWriter& out, const Y3dNodeHeader& header) {
    out.begin(Y3dChunk::NodeHeader);
    out.string(header.name);
    out.i32(header.id);
    out.i32(header.parentId);
    out.i32(header.targetId);
    for (float value : header.matrix) out.f32(value);
    out.end();
}

void writePositionTrack(Y3dWriter& out, std::span<const Y3dVectorKey> keys) {
    vectorTrack(out, Y3dChunk::PositionTrack, keys);
}

void writeRotationTrack(Y3dWriter& out, std::span<const Y3dRotationKey> keys) {
    out.begin(Y3dChunk::RotationTrack);
    out.u32(std::uint32_t(keys.size()));
    for (const Y3dRotationKey& key : keys) {
        out.i32(key.time);
        out.f32(key.value.x);
        out.f32(key.value.y);
        out.f32(key.value.z);
        out.f32(key.value.w);
    }
    out.end();
}

void writeScaleTrack(Y3dWriter& out, std::span<const Y3dVectorKey> keys) {
    vectorTrack(out, Y3dChunk::ScaleTrack, keys);
}

void writeFieldOfViewTrack(Y3dWriter& out, std::span<const Y3dScalarKey> keys) {
    scalarTrack(out, Y3dChunk::CameraFovTrack, keys);
}

void writeRollTrack(Y3dWriter& out, std::span<const Y3dScalarKey> keys) {
    scalarTrack(out, Y3dChunk::CameraRollTrack, keys);
}
