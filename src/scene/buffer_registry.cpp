#include "scene/buffer_registry.h"

#include "app/current_device.h"

IDirect3DVertexBuffer8* BufferRegistry::createVertexBuffer(UINT length, DWORD usage, DWORD format,
                                                           D3DPOOL pool) {
    IDirect3DVertexBuffer8* buffer = nullptr;
    if (currentDevice == nullptr ||
        FAILED(currentDevice->CreateVertexBuffer(length, usage, format, pool, &buffer)))
        return nullptr;
    vertexBuffers_.insert(buffer);
    return buffer;
}

IDirect3DIndexBuffer8* BufferRegistry::createIndexBuffer(UINT length, DWORD usage, D3DFORMAT format,
                                                         D3DPOOL pool) {
    IDirect3DIndexBuffer8* buffer = nullptr;
    if (currentDevice == nullptr ||
        FAILED(currentDevice->CreateIndexBuffer(length, usage, format, pool, &buffer)))
        return nullptr;
    indexBuffers_.insert(buffer);
    return buffer;
}

void BufferRegistry::releaseVertexBuffer(IDirect3DVertexBuffer8* buffer) {
    if (vertexBuffers_.erase(buffer) > 0) buffer->Release();
}

void BufferRegistry::releaseIndexBuffer(IDirect3DIndexBuffer8* buffer) {
    if (indexBuffers_.erase(buffer) > 0) buffer->Release();
}

void BufferRegistry::releaseAll() {
    for (IDirect3DVertexBuffer8* buffer : vertexBuffers_) buffer->Release();
    for (IDirect3DIndexBuffer8* buffer : indexBuffers_) buffer->Release();
    vertexBuffers_.clear();
    indexBuffers_.clear();
}

BufferRegistry& bufferRegistry() {
    static BufferRegistry registry;
    return registry;
}
