// Vertex format and drawing, from memory and from buffers, on the GL device.
#include <cstdint>

#include "platform/d3d8/draw_checks.h"
#include "platform/d3d8/gl/gl_buffer.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/render_state_flush.h"

HRESULT GlDevice::SetVertexShader(DWORD handle) {
    if (StateBlock* block = blocks_.recording()) return block->setVertexShader(handle);
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
    if (StateBlock* block = blocks_.recording())
        return block->setStreamSource(stream, buffer, stride);
    return bound_.setStreamSource(stream, buffer, stride);
}

HRESULT GlDevice::GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) {
    return bound_.getStreamSource(stream, buffer, stride);
}

HRESULT GlDevice::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    if (StateBlock* block = blocks_.recording()) return block->setIndices(buffer, baseVertexIndex);
    bound_.bindIndices(buffer, baseVertexIndex);
    return D3D_OK;
}

HRESULT GlDevice::GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) {
    return bound_.getIndices(buffer, baseVertexIndex);
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    const VertexLayout layout = vertexLayout(bound_.vertexShader);
    const HRESULT checked =
        checkDrawPrimitive(inScene_, layout, type, startVertex, primitiveCount, bound_);
    if (FAILED(checked)) return checked;
    auto* vertices = glBufferOf<GlVertexBuffer>(bound_.streamSource());
    if (vertices == nullptr) return D3DERR_INVALIDCALL;  // a buffer of another device
    context_->makeCurrent();
    bindTarget();
    if (!pipeline_->prepareDraw(state_, bound_, layout)) return D3DERR_DRIVERINVALIDCALL;
    vertices->bindVertexArray(layout, bound_.streamStride);
    pipeline_->stream().forget();
    context_->gl().DrawArrays(glPrimitive(type), GLint(startVertex),
                              GLsizei(primitiveVertexCount(type, primitiveCount)));
    return D3D_OK;
}

// The vertex range hint (minIndex, vertexCount) is not needed: every index
// was checked to name a vertex of the stream's buffer.
HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                       UINT startIndex, UINT primitiveCount) {
    const VertexLayout layout = vertexLayout(bound_.vertexShader);
    const HRESULT checked =
        checkDrawIndexedPrimitive(inScene_, layout, type, startIndex, primitiveCount, bound_);
    if (FAILED(checked)) return checked;
    auto* vertices = glBufferOf<GlVertexBuffer>(bound_.streamSource());
    auto* indices = glBufferOf<GlIndexBuffer>(bound_.indices());
    if (vertices == nullptr || indices == nullptr) return D3DERR_INVALIDCALL;
    context_->makeCurrent();
    bindTarget();
    if (!pipeline_->prepareDraw(state_, bound_, layout)) return D3DERR_DRIVERINVALIDCALL;
    vertices->bindVertexArray(layout, bound_.streamStride);
    pipeline_->stream().forget();
    vertices->useIndices(*indices);
    drawIndexed(type, *indices, startIndex, primitiveCount);
    return D3D_OK;
}

// Index i names vertex (base vertex index + i) of the stream.
void GlDevice::drawIndexed(D3DPRIMITIVETYPE type, const GlIndexBuffer& indices, UINT startIndex,
                           UINT primitiveCount) {
    const GlApi& gl = context_->gl();
    const UINT size = indices.storage().indexSize();
    const auto* offset = reinterpret_cast<const void*>(std::uintptr_t(startIndex) * size);
    gl.DrawElementsBaseVertex(
        glPrimitive(type), GLsizei(primitiveVertexCount(type, primitiveCount)),
        size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, offset, GLint(bound_.baseVertexIndex));
}
