// Every vertex and index buffer the scenes have created and not yet
// released. The registry, not the meshes, releases them all when the device
// objects are deleted. Buffers are made on the current device.
#pragma once

#include <unordered_set>

#include "platform/d3d8/d3d8.h"

class BufferRegistry {
  public:
    // The new buffer, remembered; null when there is no device or it
    // refuses the buffer.
    IDirect3DVertexBuffer8* createVertexBuffer(UINT length, DWORD usage, DWORD format,
                                               D3DPOOL pool);
    IDirect3DIndexBuffer8* createIndexBuffer(UINT length, DWORD usage, D3DFORMAT format,
                                             D3DPOOL pool);
    // Forgets the buffer, then releases it. A buffer the registry does not
    // hold (already released by releaseAll) is left alone.
    void releaseVertexBuffer(IDirect3DVertexBuffer8* buffer);
    void releaseIndexBuffer(IDirect3DIndexBuffer8* buffer);
    // Releases every remembered vertex buffer, then every index buffer.
    void releaseAll();

    bool holds(IDirect3DVertexBuffer8* buffer) const { return vertexBuffers_.count(buffer) > 0; }
    bool holds(IDirect3DIndexBuffer8* buffer) const { return indexBuffers_.count(buffer) > 0; }
    std::size_t vertexBufferCount() const { return vertexBuffers_.size(); }
    std::size_t indexBufferCount() const { return indexBuffers_.size(); }

  private:
    std::unordered_set<IDirect3DVertexBuffer8*> vertexBuffers_;
    std::unordered_set<IDirect3DIndexBuffer8*> indexBuffers_;
};

// The process-wide registry.
BufferRegistry& bufferRegistry();
