// Buffer creation on the GL device.
#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/gl/gl_buffer.h"
#include "platform/d3d8/gl/gl_device.h"

HRESULT GlDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     IDirect3DVertexBuffer8** buffer) {
    if (buffer == nullptr) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    const HRESULT checked = checkVertexBufferCreation(length, usage, pool);
    if (FAILED(checked)) return checked;
    const D3DVERTEXBUFFER_DESC desc{
        D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, length, fvf};
    std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
    *buffer = GlVertexBuffer::create(*this, *context_, live, desc);
    return *buffer != nullptr ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT GlDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer8** buffer) {
    if (buffer == nullptr) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    const HRESULT checked = checkIndexBufferCreation(length, usage, format, pool);
    if (FAILED(checked)) return checked;
    const D3DINDEXBUFFER_DESC desc{format, D3DRTYPE_INDEXBUFFER, usage, pool, length};
    std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
    *buffer = GlIndexBuffer::create(*this, *context_, live, desc);
    return *buffer != nullptr ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}
