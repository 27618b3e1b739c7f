// The y3d scene file format: a tree of chunks, each a 16-bit id and a
// 32-bit length (header included) followed by the id's fixed payload and
// then child chunks up to its end. Little-endian, no alignment.
#pragma once

#include <cstddef>
#include <cstdint>

enum class Y3dChunk : std::uint16_t {
    Container = 0x1000,
    SkippedField = 0x1001,  // 4 ignored bytes, then children
    Container2 = 0x1002,
    Container3 = 0x1003,
    SceneTiming = 0x1011,
    Material = 0x2000,
    MaterialMap = 0x2100,
    Mesh = 0x3000,
    MeshInstance = 0x3001,
    Light = 0x3002,
    Camera = 0x3003,
    Dummy = 0x3004,
    CameraFovTrack = 0x3005,
    CameraRollTrack = 0x3006,
    PackedMesh = 0x3007,
    MeshVertices = 0x3100,
    MeshFaceGroup = 0x3101,
    NodeHeader = 0x4000,
    PositionTrack = 0x4001,
    RotationTrack = 0x4002,
    ScaleTrack = 0x4003,
};

constexpr bool isKnownY3dChunk(std::uint16_t id) {
    switch (Y3dChunk(id)) {
        case Y3dChunk::Container:
        case Y3dChunk::SkippedField:
        case Y3dChunk::Container2:
        case Y3dChunk::Container3:
        case Y3dChunk::SceneTiming:
        case Y3dChunk::Material:
        case Y3dChunk::MaterialMap:
        case Y3dChunk::Mesh:
        case Y3dChunk::MeshInstance:
        case Y3dChunk::Light:
        case Y3dChunk::Camera:
        case Y3dChunk::Dummy:
        case Y3dChunk::CameraFovTrack:
        case Y3dChunk::CameraRollTrack:
        case Y3dChunk::PackedMesh:
        case Y3dChunk::MeshVertices:
        case Y3dChunk::MeshFaceGroup:
        case Y3dChunk::NodeHeader:
        case Y3dChunk::PositionTrack:
        case Y3dChunk::RotationTrack:
        case Y3dChunk::ScaleTrack:
            return true;
    }
    return false;
}

constexpr std::size_t kY3dChunkHeaderSize = 6;
// A face group's material index meaning "no material".
constexpr std::uint32_t kY3dNoMaterial = 0xFFFFFFFF;
// Bytes a MaterialMap carries after its file name, unused.
constexpr std::size_t kY3dMaterialMapTail = 20;
