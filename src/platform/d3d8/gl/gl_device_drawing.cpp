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
