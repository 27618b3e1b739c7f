#include "platform/d3d8/bound_resources.h"

#include "platform/d3d8/device_resource.h"

// The new binding is held before the old one is let go, so rebinding the
// same resource never frees it in between.
template <class Interface>
void BoundResources::rebind(Interface*& slot, Interface* bound) {
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

void BoundResources::unbindAll(IDirect3DSurface8* backBuffer, IDirect3DSurface8* autoDepth) {
    for (IDirect3DBaseTexture8*& texture : textures_) rebind(texture, {});
    rebind(renderTarget_, backBuffer);
    rebind(depthStencil_, autoDepth);
    vertexShader = 0;
}
