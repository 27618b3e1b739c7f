#include "scene_test_support.h"

#include <cstring>

#include "app/current_device.h"
#include "platform/d3d8/recording/recording_buffer.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "scene/buffer_registry.h"
#include "scene/scene_reader.h"

Y3dNodeHeader nodeHeader(const std::string& name, std::int32_t id, std::int32_t parentId,
                         std::int32_t targetId, D3DXVECTOR3 translation) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = id;
    header.parentId = parentId;
    header.targetId = targetId;
    header.matrix[9] = translation.x;
    header.matrix[10] = translation.y;
    header.matrix[11] = translation.z;
    return header;
}

std::vector<SceneVertex> verticesAt(const std::vector<D3DXVECTOR3>& positions) {
    std::vector<SceneVertex> vertices;
    for (const D3DXVECTOR3& p : positions) vertices.push_back({p, {0, 0, 1}, p.x, p.y});
    return vertices;
}

void writeMesh(Y3dWriter& out, const Y3dNodeHeader& header,
               const std::vector<D3DXVECTOR3>& positions, std::uint32_t material,
               const std::vector<Y3dTriangle>& triangles) {
    beginMesh(out);
    writeNodeHeader(out, header);
    writeMeshVertices(out, verticesAt(positions));
    writeMeshFaceGroup(out, material, triangles);
    out.end();
}

std::unique_ptr<Scene> readBytes(const std::vector<std::uint8_t>& bytes, SceneReadError* error) {
    return readScene(bytes.data(), bytes.size(), error);
}

SceneReadError rejection(const std::vector<std::uint8_t>& bytes) {
    SceneReadError error;
    if (readBytes(bytes, &error) != nullptr) error.problem = "(accepted)";
    return error;
}

namespace {

D3DPRESENT_PARAMETERS smallWindow() {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 64;
    params.BackBufferHeight = 48;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    return params;
}

}  // namespace

CurrentRecordingDevice::CurrentRecordingDevice() {
    direct3d_ = createRecordingDirect3D({}, log);
    D3DPRESENT_PARAMETERS params = smallWindow();
    direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                            &params, &device_);
    currentDevice = device_;
}

CurrentRecordingDevice::~CurrentRecordingDevice() {
    bufferRegistry().releaseAll();
    currentDevice = nullptr;
    if (device_ != nullptr) device_->Release();
    direct3d_->Release();
}

std::vector<SceneVertex> bufferVertices(IDirect3DVertexBuffer8* buffer) {
    const BufferStorage* storage = recordedBytes(buffer);
    if (storage == nullptr) return {};
    std::vector<SceneVertex> vertices(storage->length() / sizeof(SceneVertex));
    std::memcpy(vertices.data(), storage->data(), vertices.size() * sizeof(SceneVertex));
    return vertices;
}

std::vector<std::uint16_t> bufferIndices(IDirect3DIndexBuffer8* buffer) {
    const BufferStorage* storage = recordedBytes(buffer);
    if (storage == nullptr) return {};
    std::vector<std::uint16_t> indices(storage->length() / 2);
    std::memcpy(indices.data(), storage->data(), indices.size() * 2);
    return indices;
}
