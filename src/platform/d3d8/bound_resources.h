// What a device has bound: render target, depth-stencil surface, the
// texture of each stage, the vertex format, the vertex buffer of stream 0
// and the index buffer. Binding takes the device's
// hold on a resource (see device_resource.h) and lets go of the one it
// replaces; shared by both backends.
#pragma once

#include <array>

#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/d3d8.h"

class DeviceHold;

// A bound object and the device's hold on it, found once when bound, so that
// letting go of it needs no lookup and binding it again costs nothing.
template <class Interface>
struct BoundSlot {
    Interface* object = nullptr;
    DeviceHold* hold = nullptr;
};

class BoundResources {
  public:
    BoundResources() = default;
    BoundResources(const BoundResources&) = delete;
    BoundResources& operator=(const BoundResources&) = delete;
    ~BoundResources() { unbindAll(nullptr, nullptr); }

    IDirect3DSurface8* renderTarget() const { return renderTarget_.object; }
    IDirect3DSurface8* depthStencil() const { return depthStencil_.object; }
    IDirect3DBaseTexture8* texture(DWORD stage) const { return textures_[stage].object; }
    IDirect3DVertexBuffer8* streamSource() const { return streamSource_.object; }
    IDirect3DIndexBuffer8* indices() const { return indices_.object; }
    // The bytes of the bound buffers (null when none is bound, or it has none).
    const BufferStorage* streamBytes() const { return streamBytes_; }
    const BufferStorage* indexBytes() const { return indexBytes_; }

    void bindRenderTarget(IDirect3DSurface8* surface);
    void bindDepthStencil(IDirect3DSurface8* surface);
    void bindTexture(DWORD stage, IDirect3DBaseTexture8* texture);
    void bindStreamSource(IDirect3DVertexBuffer8* buffer, UINT stride);
    void bindIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex);
    // The device calls, shared by both backends: there is one stream (0);
    // getters hand out a new reference, or null when nothing is bound.
    HRESULT setStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride);
    HRESULT getStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) const;
    HRESULT getIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) const;
    // Back to the device's own target and depth buffer with no textures and
    // no buffers, as on creation and Reset.
    void unbindAll(IDirect3DSurface8* backBuffer, IDirect3DSurface8* autoDepth);

    DWORD vertexShader = 0;
    UINT streamStride = 0;
    UINT baseVertexIndex = 0;

  private:
    template <class Interface>
    static void rebind(BoundSlot<Interface>& slot, Interface* bound);

    BoundSlot<IDirect3DSurface8> renderTarget_;
    BoundSlot<IDirect3DSurface8> depthStencil_;
    std::array<BoundSlot<IDirect3DBaseTexture8>, D3D_TEXTURE_STAGE_COUNT> textures_{};
    BoundSlot<IDirect3DVertexBuffer8> streamSource_;
    BoundSlot<IDirect3DIndexBuffer8> indices_;
    const BufferStorage* streamBytes_ = nullptr;
    const BufferStorage* indexBytes_ = nullptr;
};
