// Reading a y3d file into a new Scene. The format itself checks nothing;
// this reader keeps every read inside the file and every child inside its
// parent, walks the chunk tree without recursion (any nesting depth), and
// rejects what would make a broken scene: indices out of range, chunks that
// add to an object before any exists, unusable packed meshes and parent
// cycles. A rejected file yields no scene at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene/scene_byte_reader.h"
#include "scene/scene_read_error.h"
#include "scene/y3d_format.h"

// The scene the bytes hold, hierarchy linked, tracks as read (unsorted,
// rotations relative); null when the file is rejected, with `error` (when
// given) saying why.
std::unique_ptr<Scene> readScene(const std::uint8_t* bytes, std::size_t count,
                                 SceneReadError* error = nullptr);

class SceneReader {
  public:
    explicit SceneReader(std::span<const std::uint8_t> bytes) : in_(bytes) {}

    std::unique_ptr<Scene> read(SceneReadError& error);

  private:
    struct ChunkPlace {
        std::uint16_t id = 0;
        std::size_t offset = 0;
    };
    // A chunk whose children are being read.
    struct OpenChunk {
        ChunkPlace place;
        std::size_t end;
    };
    // An index that may name an object further on in the file, so it is
    // checked once the whole file has been read.
    struct LaterCheck {
        enum class Kind { Material, SourceMesh, MeshVertex };
        ChunkPlace place;
        Kind kind;
        std::uint32_t index;
        const SceneMesh* mesh;
    };

    // The walk over the chunk tree.
    bool readChunks();
    bool readChunk(std::vector<OpenChunk>& open);
    bool readPayload(Y3dChunk id);
    bool fail(std::string problem);
    bool failAt(const ChunkPlace& place, std::string problem);

    // Payloads (scene_reader_payloads.cpp).
    bool readTiming();
    bool readMaterial();
    bool readMaterialMap();
    bool readMesh();
    bool readMeshInstance();
    bool readLight();
    bool readCamera();
    bool readDummy();
    bool readCameraTrack(ScalarTrack SceneCamera::*track);
    bool readNodeHeader();
    bool readVectorTrack(VectorTrack SceneNode::*track);
    bool readRotationTrack();
    void makeCurrentNode(SceneNode& node);

    // Mesh geometry (scene_reader_meshes.cpp).
    bool readMeshVertices();
    bool readMeshFaceGroup();
    bool readPackedMesh();

    // After the walk (scene_reader_linking.cpp).
    bool runLaterChecks();
    bool passes(const LaterCheck& check, std::string& problem) const;
    bool linkHierarchy();
    bool rejectParentCycles(const std::vector<std::ptrdiff_t>& parents);

    SceneByteReader in_;
    std::unique_ptr<Scene> scene_;
    SceneReadError* error_ = nullptr;
    ChunkPlace place_;  // the chunk being read
    SceneMaterial* material_ = nullptr;
    SceneNode* node_ = nullptr;
    SceneMesh* mesh_ = nullptr;
    SceneCamera* camera_ = nullptr;
    SceneLight* light_ = nullptr;
    SceneDummy* dummy_ = nullptr;
    std::vector<LaterCheck> laterChecks_;
    // Per node, in node order: its NodeHeader chunk, or the chunk that made it.
    std::vector<ChunkPlace> nodePlaces_;
};
