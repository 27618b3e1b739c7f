// The states that change the code of the generated fixed-function program:
// the vertex format's parts, the operations and arguments of the active
// texture stages and the alpha test's comparison. Two draws with equal keys
// share one program; everything else reaches the program as uniforms.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/vertex_layout.h"

constexpr std::uint8_t NO_TEXCOORD_SET = 0xff;

struct FixedFunctionStage {
    std::uint8_t colorOp = 0;       // D3DTEXTUREOP
    std::uint8_t colorArg[3] = {};  // arguments 1, 2 and 0: D3DTA selector and modifiers
    std::uint8_t alphaOp = 0;
    std::uint8_t alphaArg[3] = {};
    std::uint8_t resultArg = 0;    // D3DTA_CURRENT or D3DTA_TEMP
    std::uint8_t texCoordSet = 0;  // NO_TEXCOORD_SET when the vertex has not that set
    std::uint8_t textured = 0;     // a texture is bound; otherwise it reads opaque white

    bool operator==(const FixedFunctionStage&) const = default;
};

struct FixedFunctionKey {
    std::uint8_t pretransformed = 0;
    std::uint8_t hasDiffuse = 0;
    std::uint8_t hasSpecular = 0;
    std::uint8_t texCoordCount = 0;
    std::uint8_t stageCount = 0;   // stages before the first whose colour operation is DISABLE
    std::uint8_t alphaFunc = 0;    // D3DCMPFUNC of the alpha test; 0 when the test is off
    std::uint8_t specularAdd = 0;  // D3DRS_SPECULARENABLE: specular added after the stages
    std::uint8_t reserved = 0;
    FixedFunctionStage stages[D3D_TEXTURE_STAGE_COUNT];

    bool operator==(const FixedFunctionKey&) const = default;
};

struct FixedFunctionKeyHash {
    std::size_t operator()(const FixedFunctionKey& key) const;
};

// The key of a draw with vertices of `layout`; bit s of `texturedStages`
// tells whether stage s has a texture bound.
FixedFunctionKey fixedFunctionKey(const DeviceState& state, const VertexLayout& layout,
                                  std::uint8_t texturedStages);
