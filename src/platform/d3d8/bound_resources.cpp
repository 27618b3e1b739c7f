#include "platform/d3d8/bound_resources.h"

#include "platform/d3d8/device_resource.h"

// The new binding is held before the old one is let go, so rebinding the
// same resource never frees it in between; binding what is bound already
// changes nothing.
template <class Interface>
void BoundResources::rebind(Interface*& slot, Interface* bound) {
    if (slot == bound) return;
    Interface* previous = slot;
    holdBound(bound);
    slot = bound;
    unholdBound(previous);
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
    rebind(streamSource_, buffer);
    streamStride = buffer ? stride : 0;
}

void BoundResources::bindIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
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
    *buffer = streamSource_;
    *stride = streamStride;
    if (*buffer) (*buffer)->AddRef();
    return D3D_OK;
}

HRESULT BoundResources::getIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) const {
    if (buffer == nullptr || baseVertexIndex == nullptr) return D3DERR_INVALIDCALL;
    *buffer = indices_;
    *baseVertexIndex = this->baseVertexIndex;
    if (*buffer) (*buffer)->AddRef();
    return D3D_OK;
}

void BoundResources::unbindAll(IDirect3DSurface8* backBuffer, IDirect3DSurface8* autoDepth) {
    for (IDirect3DBaseTexture8*& texture : textures_) rebind(texture, {});
    bindStreamSource(nullptr, 0);
    bindIndices(nullptr, 0);
    rebind(renderTarget_, backBuffer);
    rebind(depthStencil_, autoDepth);
    vertexShader = 0;
}
