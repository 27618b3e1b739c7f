// The PackedMesh chunk: morph frames of vertex positions, faces with
// material and smoothing group, and texture coordinates with texture faces
// of their own. Building it splits vertices where smoothing groups or
// texture coordinates meet, sums face normals per vertex, and groups the
// faces by material.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/morph_frame.h"
#include "scene/scene_byte_reader.h"
#include "scene/scene_mesh.h"

class PackedMesh {
  public:
    // Index buffers are 16-bit.
    static constexpr std::uint32_t kMaxVertices = 65535;
    // Frames × vertex slots (file vertices plus every split a face could
    // make) a packed mesh may need; beyond it the file is refused rather
    // than allowed to claim gigabytes.
    static constexpr std::uint64_t kMaxFrameEntries = std::uint64_t(1) << 23;

    // Reads the fields. False when they do not fit the chunk (the reader
    // failed) or do not make a mesh (problem says why): no frames, no
    // faces, too many vertices, indices out of range.
    bool read(SceneByteReader& in, std::string& problem);
    // Makes `mesh` the morphing mesh the fields describe. False when the
    // split vertices would not fit 16-bit indices.
    bool build(SceneMesh& mesh, std::string& problem);

  private:
    struct Face {
        std::array<std::uint16_t, 3> corners;  // first two already swapped back
        std::array<std::uint16_t, 3> textureCorners{};
        std::uint16_t material = 0;
        std::uint16_t smoothingGroup = 0;
    };
    // What a split vertex and its original are compared on.
    struct VertexClaim {
        std::int32_t smoothingGroup = -1;  // -1: not yet claimed by a face
        D3DXVECTOR2 uv{0, 0};
    };

    bool readFrames(SceneByteReader& in, std::string& problem);
    bool readFaces(SceneByteReader& in, std::string& problem);
    bool readTextureFaces(SceneByteReader& in, std::string& problem);
    bool checkSize(std::string& problem) const;
    D3DXVECTOR3 faceNormal(const MorphFrame& frame, const Face& face) const;
    bool assignCorner(Face& face, int corner, std::vector<VertexClaim>& claims);
    void groupFacesByMaterial(SceneMesh& mesh);
    void fillVertices(SceneMesh& mesh, const std::vector<VertexClaim>& claims);

    std::uint32_t vertexCount_ = 0;
    std::vector<MorphFrame> frames_;
    std::vector<Face> faces_;
    std::vector<D3DXVECTOR2> textureCoordinates_;
    std::vector<D3DXVECTOR3> faceNormals_;  // the current face's normal in each frame
};
