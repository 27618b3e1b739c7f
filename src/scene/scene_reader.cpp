// readScene and the walk over the chunk tree. A chunk is its header, its
// id's payload, then child chunks up to its end; unknown ids are skipped
// whole. The chunks still open are kept in a list, not on the call stack.
#include "scene/scene_reader.h"

std::unique_ptr<Scene> readScene(const std::uint8_t* bytes, std::size_t count,
                                 SceneReadError* error) {
    SceneReadError ignored;
    SceneReader reader(std::span<const std::uint8_t>(bytes, bytes != nullptr ? count : 0));
    return reader.read(error != nullptr ? *error : ignored);
}

std::unique_ptr<Scene> SceneReader::read(SceneReadError& error) {
    error_ = &error;
    scene_ = std::make_unique<Scene>();
    if (!readChunks() || !runLaterChecks() || !linkHierarchy()) return nullptr;
    return std::move(scene_);
}

bool SceneReader::fail(std::string problem) {
    return failAt(place_, std::move(problem));
}

bool SceneReader::failAt(const ChunkPlace& place, std::string problem) {
    *error_ = {place.id, place.offset, std::move(problem)};
    return false;
}

// The file is one chunk from byte 0; whatever follows its end is ignored.
bool SceneReader::readChunks() {
    std::vector<OpenChunk> open;
    do {
        if (!readChunk(open)) return false;
        while (!open.empty() && in_.position() == open.back().end) open.pop_back();
    } while (!open.empty());
    return true;
}

bool SceneReader::readChunk(std::vector<OpenChunk>& open) {
    const std::size_t start = in_.position();
    in_.setLimit(open.empty() ? in_.size() : open.back().end);
    if (in_.remaining() < kY3dChunkHeaderSize) {
        if (open.empty()) return fail("the file is too short for a chunk header");
        place_ = open.back().place;
        return fail(std::to_string(in_.remaining()) + " bytes at offset " + std::to_string(start) +
                    " are too few for a child chunk");
    }
    place_ = {in_.u16(), start};
    const std::uint32_t length = in_.u32();
    if (length < kY3dChunkHeaderSize)
        return fail("length " + std::to_string(length) + " is shorter than a chunk header");
    if (length > in_.limit() - start)
        return fail("length " + std::to_string(length) + " runs past the end of " +
                    (open.empty() ? "the file" : "its parent"));
    const std::size_t end = start + length;
    in_.setLimit(end);
    if (!isKnownY3dChunk(place_.id)) {
        in_.seek(end);  // skipped with its children, unexamined
        return true;
    }
    if (!readPayload(Y3dChunk(place_.id))) return false;
    if (in_.failed()) return fail(in_.problem());
    open.push_back({place_, end});
    return true;
}

// False, with the error set, when the payload is unusable.
bool SceneReader::readPayload(Y3dChunk id) {
    switch (id) {
        case Y3dChunk::Container:
        case Y3dChunk::Container2:
        case Y3dChunk::Container3:
            return true;
        case Y3dChunk::SkippedField:
            in_.skip(4);
            return true;
        case Y3dChunk::SceneTiming:
            return readTiming();
        case Y3dChunk::Material:
            return readMaterial();
        case Y3dChunk::MaterialMap:
            return readMaterialMap();
        case Y3dChunk::Mesh:
            return readMesh();
        case Y3dChunk::MeshInstance:
            return readMeshInstance();
        case Y3dChunk::Light:
            return readLight();
        case Y3dChunk::Camera:
            return readCamera();
        case Y3dChunk::Dummy:
            return readDummy();
        case Y3dChunk::CameraFovTrack:
            return readCameraTrack(&SceneCamera::fieldOfViewTrack);
        case Y3dChunk::CameraRollTrack:
            return readCameraTrack(&SceneCamera::rollTrack);
        case Y3dChunk::PackedMesh:
            return readPackedMesh();
        case Y3dChunk::MeshVertices:
            return readMeshVertices();
        case Y3dChunk::MeshFaceGroup:
            return readMeshFaceGroup();
        case Y3dChunk::NodeHeader:
            return readNodeHeader();
        case Y3dChunk::PositionTrack:
            return readVectorTrack(&SceneNode::positionTrack);
        case Y3dChunk::RotationTrack:
            return readRotationTrack();
        case Y3dChunk::ScaleTrack:
            return readVectorTrack(&SceneNode::scaleTrack);
    }
    return true;
}
