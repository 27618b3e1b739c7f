// Every chunk the reader knows, written through a Y3dWriter. `write...`
// writes a closed chunk; `begin...` writes the header and payload and
// leaves the chunk open for children (close it with Y3dWriter::end).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "scene/scene_vertex.h"
#include "scene/y3d_records.h"
#include "scene/y3d_writer.h"

void beginContainer(Y3dWriter& out);
void writeSceneTiming(Y3dWriter& out, std::int32_t first, std::int32_t length,
                      std::int32_t ticksPerFrame);
void beginMaterial(Y3dWriter& out, const Y3dMaterial& material);
void writeMaterialMap(Y3dWriter& out, std::uint16_t layer, std::string_view fileName);
void beginMesh(Y3dWriter& out);
void beginMeshInstance(Y3dWriter& out, std::uint32_t sourceIndex);
void beginLight(Y3dWriter& out, const Y3dLight& light);
void beginCamera(Y3dWriter& out, const Y3dCamera& camera);
void beginDummy(Y3dWriter& out);
void beginPackedMesh(Y3dWriter& out, const Y3dPackedMesh& mesh);
void writeMeshVertices(Y3dWriter& out, std::span<const SceneVertex> vertices);
// `material` kY3dNoMaterial for a group without one.
void writeMeshFaceGroup(Y3dWriter& out, std::uint32_t material,
                        std::span<const Y3dTriangle> triangles);
void writeNodeHeader(Y3dWriter& out, const Y3dNodeHeader& header);
void writePositionTrack(Y3dWriter& out, std::span<const Y3dVectorKey> keys);
void writeRotationTrack(Y3dWriter& out, std::span<const Y3dRotationKey> keys);
void writeScaleTrack(Y3dWriter& out, std::span<const Y3dVectorKey> keys);
void writeFieldOfViewTrack(Y3dWriter& out, std::span<const Y3dScalarKey> keys);
void writeRollTrack(Y3dWriter& out, std::span<const Y3dScalarKey> keys);
