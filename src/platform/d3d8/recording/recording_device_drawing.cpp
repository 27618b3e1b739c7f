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
    std::vector<double> args{double(type), double(primitiveCount), double(stride)};
    if (SUCCEEDED(checked)) {
        const auto* bytes = static_cast<const BYTE*>(vertexData);
        const UINT vertices = primitiveVertexCount(type, primitiveCount);
        for (UINT v = 0; v < vertices; ++v)
            appendVertex(args, layout, bytes + std::size_t(v) * stride);
    }
    return recorder_.call("DrawPrimitiveUP", std::move(args), [&] { return checked; });
}
