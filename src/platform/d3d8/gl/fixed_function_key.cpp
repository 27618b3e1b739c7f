#include "platform/d3d8/gl/fixed_function_key.h"

#include <cstring>

namespace {

constexpr DWORD ARGUMENT_BITS = D3DTA_SELECTMASK | D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE;

std::uint8_t argument(DWORD value) {
    return std::uint8_t(value & ARGUMENT_BITS);
}

// Operations outside Direct3D's range act as a plain selection of argument 1.
std::uint8_t operation(DWORD op) {
    return op >= D3DTOP_DISABLE && op <= D3DTOP_LERP ? std::uint8_t(op)
                                                     : std::uint8_t(D3DTOP_SELECTARG1);
}

FixedFunctionStage stageKey(const std::array<DWORD, D3D_TEXTURESTAGESTATE_COUNT>& stage,
                            const VertexLayout& layout, bool textured) {
    FixedFunctionStage key;
    key.colorOp = operation(stage[D3DTSS_COLOROP]);
    key.colorArg[0] = argument(stage[D3DTSS_COLORARG1]);
    key.colorArg[1] = argument(stage[D3DTSS_COLORARG2]);
    key.colorArg[2] = argument(stage[D3DTSS_COLORARG0]);
    key.alphaOp = operation(stage[D3DTSS_ALPHAOP]);
    key.alphaArg[0] = argument(stage[D3DTSS_ALPHAARG1]);
    key.alphaArg[1] = argument(stage[D3DTSS_ALPHAARG2]);
    key.alphaArg[2] = argument(stage[D3DTSS_ALPHAARG0]);
    key.resultArg = (stage[D3DTSS_RESULTARG] & D3DTA_SELECTMASK) == D3DTA_TEMP
                        ? std::uint8_t(D3DTA_TEMP)
                        : std::uint8_t(D3DTA_CURRENT);
    const DWORD set = stage[D3DTSS_TEXCOORDINDEX] & 0xffff;
    key.texCoordSet = set < layout.texCoordCount ? std::uint8_t(set) : NO_TEXCOORD_SET;
    key.textured = textured ? 1 : 0;
    return key;
}

}  // namespace

std::size_t FixedFunctionKeyHash::operator()(const FixedFunctionKey& key) const {
    unsigned char bytes[sizeof key];
    std::memcpy(bytes, &key, sizeof key);
    std::size_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

FixedFunctionKey fixedFunctionKey(const DeviceState& state, const VertexLayout& layout,
                                  std::uint8_t texturedStages) {
    FixedFunctionKey key;
    key.pretransformed = layout.pretransformed ? 1 : 0;
    key.hasDiffuse = layout.diffuseOffset >= 0 ? 1 : 0;
    key.hasSpecular = layout.specularOffset >= 0 ? 1 : 0;
    key.texCoordCount = std::uint8_t(layout.texCoordCount);
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage) {
        if (state.stageStates[stage][D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
        const bool textured = (texturedStages >> stage) & 1;
        key.stages[stage] = stageKey(state.stageStates[stage], layout, textured);
        key.stageCount = std::uint8_t(stage + 1);
    }
    if (state.renderStates[D3DRS_ALPHATESTENABLE]) {
        const DWORD func = state.renderStates[D3DRS_ALPHAFUNC];
        key.alphaFunc = func >= D3DCMP_NEVER && func <= D3DCMP_ALWAYS ? std::uint8_t(func)
                                                                      : std::uint8_t(D3DCMP_ALWAYS);
    }
    key.specularAdd = state.renderStates[D3DRS_SPECULARENABLE] ? 1 : 0;
    return key;
}
