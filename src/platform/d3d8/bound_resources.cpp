#include "platform/d3d8/bound_resources.h"

#include "platform/d3d8/buffer_bytes.h"
#include "platform/d3d8/device_resource.h"

// The new binding is held before the old one is let go; binding what is
// bound already changes nothing.
template <class Interface>
void BoundResources::rebind(BoundSlot<Interface>& slot, Interface* bound) {
    if (bound == slot.object) return;  // already held
    DeviceHold* previous = slot.hold;
    slot = {bound, deviceHold(bound)};
    if (slot.hold) slot.hold->hold();
    if (previous) previous->unhold();
}

void BoundResources::bindRenderTarget(IDirect3DSurface8* surface) {
    rebind(renderTarget_, surface);
}

void BoundResources::bindDepthStencil(IDirect3DSurface8* surface) {
    rebind(depthStencil_, surface);
}

void BoundResources::bindTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    rebind(textures_[stage], texture);
}

void BoundResources::bindStreamSource(IDirect3DVertexBuffer8* buffer, UINT stride) {
    if (buffer != streamSource_.object) streamBytes_ = bufferBytes(buffer);
    rebind(streamSource_, buffer);
    streamStride = buffer ? stride : 0;
}

void BoundResources::bindIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    if (buffer != indices_.object) indexBytes_ = bufferBytes(buffer);
    rebind(indices_, buffer);
    this->baseVertexIndex = buffer ? baseVertexIndex : 0;
}

HRESULT BoundResources::setStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    if (stream != 0) return D3DERR_INVALIDCALL;
    bindStreamSource(buffer, stride);
    return D3D_OK;
}

HRESULT BoundResources::getStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer,
                                        UINT* stride) const {
    if (stream != 0 || buffer == nullptr || stride == nullptr) return D3DERR_INVALIDCALL;
    *buffer = streamSource_.object;
    *stride = streamStride;
    if (*buffer) (*buffer)->AddRef();
    return D3D_OK;
}

HRESULT BoundResources::getIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) const {
    if (buffer == nullptr || baseVertexIndex == nullptr) return D3DERR_INVALIDCALL;
    *buffer = indices_.object;
    *baseVertexIndex = this->baseVertexIndex;
    if (*buffer) (*buffer)->AddRef();
    return D3D_OK;
}

void BoundResources::unbindAll(IDirect3DSurface8* backBuffer, IDirect3DSurface8* autoDepth) {
    for (BoundSlot<IDirect3DBaseTexture8>& texture : textures_) rebind(texture, {});
    bindStreamSource(nullptr, 0);
    bindIndices(nullptr, 0);
    rebind(renderTarget_, backBuffer);
    rebind(depthStencil_, autoDepth);
    vertexShader = 0;
}
