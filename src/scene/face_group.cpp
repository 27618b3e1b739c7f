#include "scene/face_group.h"

#include <cstring>

#include "scene/buffer_registry.h"

bool FaceGroup::createIndexBuffer() {
    BufferRegistry& registry = bufferRegistry();
    if (indexBuffer != nullptr) registry.releaseIndexBuffer(indexBuffer);
    indexBuffer = nullptr;
    if (indices.empty()) return true;
    const UINT length = UINT(indices.size() * sizeof(std::uint16_t));
    indexBuffer =
        registry.createIndexBuffer(length, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED);
    if (indexBuffer == nullptr) return false;
    BYTE* data = nullptr;
    if (FAILED(indexBuffer->Lock(0, length, &data, 0))) return false;
    std::memcpy(data, indices.data(), length);
    indexBuffer->Unlock();
    return true;
}
