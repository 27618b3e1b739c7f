// Vertex format and drawing on the recording device: draws are logged with
// their vertices spelled out, and nothing is rasterised.
#include <cstring>

#include "platform/d3d8/draw_checks.h"
#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/vertex_layout.h"

namespace {

template <class T>
T readAt(const BYTE* vertex, UINT offset) {
    T value;
    std::memcpy(&value, vertex + offset, sizeof value);
    return value;
}

void appendFloats(std::vector<double>& args, const BYTE* vertex, UINT offset, UINT count) {
    for (UINT i = 0; i < count; ++i) args.push_back(readAt<float>(vertex, offset + 4 * i));
}

void appendVertex(std::vector<double>& args, const VertexLayout& layout, const BYTE* vertex) {
    appendFloats(args, vertex, 0, layout.positionFloats);
    if (layout.normalOffset >= 0) appendFloats(args, vertex, UINT(layout.normalOffset), 3);
    if (layout.diffuseOffset >= 0)
        args.push_back(readAt<DWORD>(vertex, UINT(layout.diffuseOffset)));
    if (layout.specularOffset >= 0)
        args.push_back(readAt<DWORD>(vertex, UINT(layout.specularOffset)));
    for (UINT set = 0; set < layout.texCoordCount; ++set)
        appendFloats(args, vertex, layout.texCoordOffset[set], layout.texCoordFloats[set]);
}

}  // namespace

HRESULT RecordingDevice::SetVertexShader(DWORD handle) {
    return recorder_.call("SetVertexShader", {double(handle)}, [&] {
        if (StateBlock* block = blocks_.recording()) return block->setVertexShader(handle);
        bound_.vertexShader = handle;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetVertexShader(DWORD* handle) {
    return recorder_.call("GetVertexShader", {}, [&] {
        if (handle == nullptr) return D3DERR_INVALIDCALL;
        *handle = bound_.vertexShader;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                         const void* vertexData, UINT stride) {
    const VertexLayout layout = vertexLayout(bound_.vertexShader);
    const HRESULT checked =
        checkDrawPrimitiveUP(inScene_, layout, type, primitiveCount, vertexData, stride);
    const auto args = [&] {
        std::vector<double> spelled{double(type), double(primitiveCount), double(stride)};
        if (FAILED(checked)) return spelled;
        const auto* bytes = static_cast<const BYTE*>(vertexData);
        const UINT vertices = primitiveVertexCount(type, primitiveCount);
        for (UINT v = 0; v < vertices; ++v)
            appendVertex(spelled, layout, bytes + std::size_t(v) * stride);
        return spelled;
    };
    return recorder_.callWith("DrawPrimitiveUP", args, [&] { return checked; });
}

HRESULT RecordingDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    return recorder_.call("SetStreamSource", {double(stream), address(buffer), double(stride)},
                          [&] {
                              if (StateBlock* block = blocks_.recording())
                                  return block->setStreamSource(stream, buffer, stride);
                              return bound_.setStreamSource(stream, buffer, stride);
                          });
}

HRESULT RecordingDevice::GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer,
                                         UINT* stride) {
    return recorder_.call("GetStreamSource", {double(stream)},
                          [&] { return bound_.getStreamSource(stream, buffer, stride); });
}

HRESULT RecordingDevice::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    return recorder_.call("SetIndices", {address(buffer), double(baseVertexIndex)}, [&] {
        if (StateBlock* block = blocks_.recording())
            return block->setIndices(buffer, baseVertexIndex);
        bound_.bindIndices(buffer, baseVertexIndex);
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) {
    return recorder_.call("GetIndices", {},
                          [&] { return bound_.getIndices(buffer, baseVertexIndex); });
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                       UINT primitiveCount) {
    return recorder_.call("DrawPrimitive",
                          {double(type), double(startVertex), double(primitiveCount)}, [&] {
                              return checkDrawPrimitive(inScene_, vertexLayout(bound_.vertexShader),
                                                        type, startVertex, primitiveCount, bound_);
                          });
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex,
                                              UINT vertexCount, UINT startIndex,
                                              UINT primitiveCount) {
    const std::initializer_list<double> args{double(type), double(minIndex), double(vertexCount),
                                             double(startIndex), double(primitiveCount)};
    return recorder_.call("DrawIndexedPrimitive", args, [&] {
        return checkDrawIndexedPrimitive(inScene_, vertexLayout(bound_.vertexShader), type,
                                         startIndex, primitiveCount, bound_);
    });
}
