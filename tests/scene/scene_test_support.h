// Shared pieces of the scene tests: y3d files made with the writer, and a
// recording device installed as the current device.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3d8/recording/call_log.h"
#include "scene/scene.h"
#include "scene/scene_read_error.h"
#include "scene/y3d_chunk_writers.h"

// A node header with an identity matrix moved by `translation`.
Y3dNodeHeader nodeHeader(const std::string& name, std::int32_t id, std::int32_t parentId = -1,
                         std::int32_t targetId = -1, D3DXVECTOR3 translation = {0, 0, 0});

// Vertices at the given positions, normal +z, texture coordinates (x, y).
std::vector<SceneVertex> verticesAt(const std::vector<D3DXVECTOR3>& positions);

// A closed mesh chunk: its header, the vertices and one face group.
void writeMesh(Y3dWriter& out, const Y3dNodeHeader& header,
               const std::vector<D3DXVECTOR3>& positions, std::uint32_t material,
               const std::vector<Y3dTriangle>& triangles);

std::unique_ptr<Scene> readBytes(const std::vector<std::uint8_t>& bytes,
                                 SceneReadError* error = nullptr);
// Reads a file the test expects to be refused, and returns why.
SceneReadError rejection(const std::vector<std::uint8_t>& bytes);

// A recording device made the current device for the test's lifetime.
// Buffers still registered are released when it goes.
class CurrentRecordingDevice {
  public:
    CurrentRecordingDevice();
    ~CurrentRecordingDevice();
    CurrentRecordingDevice(const CurrentRecordingDevice&) = delete;
    CurrentRecordingDevice& operator=(const CurrentRecordingDevice&) = delete;

    CallLog log;

  private:
    IDirect3D8* direct3d_ = nullptr;
    IDirect3DDevice8* device_ = nullptr;
};

// The SceneVertex records in a recording vertex buffer.
std::vector<SceneVertex> bufferVertices(IDirect3DVertexBuffer8* buffer);
std::vector<std::uint16_t> bufferIndices(IDirect3DIndexBuffer8* buffer);
