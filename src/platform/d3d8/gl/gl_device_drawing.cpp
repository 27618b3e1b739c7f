// Vertex format and drawing from memory on the GL device.
#include "platform/d3d8/draw_checks.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/render_state_flush.h"

HRESULT GlDevice::SetVertexShader(DWORD handle) {
    bound_.vertexShader = handle;
    return D3D_OK;
}

HRESULT GlDevice::GetVertexShader(DWORD* handle) {
    if (handle == nullptr) return D3DERR_INVALIDCALL;
    *handle = bound_.vertexShader;
    return D3D_OK;
}

HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                  const void* vertexData, UINT stride) {
    const VertexLayout layout = vertexLayout(bound_.vertexShader);
    const HRESULT checked =
        checkDrawPrimitiveUP(inScene_, layout, type, primitiveCount, vertexData, stride);
    if (FAILED(checked)) return checked;
    context_->makeCurrent();
    bindTarget();
    if (!pipeline_->prepareDraw(state_, bound_, layout)) return D3DERR_DRIVERINVALIDCALL;
    pipeline_->stream().draw(glPrimitive(type), layout, vertexData,
                             primitiveVertexCount(type, primitiveCount), stride);
    return D3D_OK;
}

HRESULT GlDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    return bound_.setStreamSource(stream, buffer, stride);
}

HRESULT GlDevice::GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) {
    return bound_.getStreamSource(stream, buffer, stride);
}

HRESULT GlDevice::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    bound_.bindIndices(buffer, baseVertexIndex);
    return D3D_OK;
}

HRESULT GlDevice::GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) {
    return bound_.getIndices(buffer, baseVertexIndex);
}

// Drawing from buffers is not carried out by this backend yet.
HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    return checkDrawPrimitive(inScene_, vertexLayout(bound_.vertexShader), type, startVertex,
                              primitiveCount, bound_);
}

HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                       UINT startIndex, UINT primitiveCount) {
    return checkDrawIndexedPrimitive(inScene_, vertexLayout(bound_.vertexShader), type, startIndex,
                                     primitiveCount, bound_);
}
