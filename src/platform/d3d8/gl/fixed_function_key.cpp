#include "platform/d3d8/gl/fixed_function_key.h"

#include <cstring>

namespace {

constexpr DWORD ARGUMENT_BITS = D3DTA_SELECTMASK | D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE;

using StageStates = std::array<DWORD, D3D_TEXTURESTAGESTATE_COUNT>;

std::uint8_t argument(DWORD value) {
    return std::uint8_t(value & ARGUMENT_BITS);
}

// Operations outside Direct3D's range act as a plain selection of argument 1.
std::uint8_t operation(DWORD op) {
    return op >= D3DTOP_DISABLE && op <= D3DTOP_LERP ? std::uint8_t(op)
                                                     : std::uint8_t(D3DTOP_SELECTARG1);
}

// Unknown generation flags read the coordinate set, as PASSTHRU does;
// vertices Direct3D does not transform have no camera space to generate from.
TexGen texGen(DWORD texCoordIndex, bool pretransformed) {
    const DWORD flag = texCoordIndex >> 16;
    if (pretransformed || flag > DWORD(TexGen::CameraReflection)) return TexGen::PassThrough;
    return TexGen(std::uint8_t(flag));
}

// Where a textured stage's coordinates come from and how they are transformed.
void coordinateKey(FixedFunctionStage& key, const StageStates& stage, const VertexLayout& layout) {
    const DWORD index = stage[D3DTSS_TEXCOORDINDEX];
    key.texGen = texGen(index, layout.pretransformed);
    const DWORD set = index & 0xffff;
    if (key.texGen == TexGen::PassThrough) {
        key.texCoordSet = set < layout.texCoordCount ? std::uint8_t(set) : NO_TEXCOORD_SET;
        if (set < layout.texCoordCount) key.inputFloats = std::uint8_t(layout.texCoordFloats[set]);
    }
    const DWORD flags = stage[D3DTSS_TEXTURETRANSFORMFLAGS];
    const DWORD count = flags & 0xff;
    key.transformCount = count <= D3DTTFF_COUNT4 ? std::uint8_t(count) : 0;
    key.projected = key.transformCount != 0 && (flags & D3DTTFF_PROJECTED) ? 1 : 0;
}

// Without a texture, a stage whose first argument is the texture passes the
// current colour (or alpha) on unchanged, as Direct3D's reference
// rasterizer treats such a stage; the stages after it still apply.
void passCurrentWithoutTexture(std::uint8_t& op, std::uint8_t (&args)[3]) {
    if ((args[0] & D3DTA_SELECTMASK) != D3DTA_TEXTURE || op == D3DTOP_DISABLE) return;
    op = D3DTOP_SELECTARG1;
    args[0] = D3DTA_CURRENT;
}

FixedFunctionStage stageKey(const StageStates& stage, const VertexLayout& layout, bool textured) {
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
    key.textured = textured ? 1 : 0;
    if (textured) {
        coordinateKey(key, stage, layout);
    } else {
        passCurrentWithoutTexture(key.colorOp, key.colorArg);
        passCurrentWithoutTexture(key.alphaOp, key.alphaArg);
    }
    return key;
}

FixedFunctionLighting lightingKey(const DeviceState& state, const VertexLayout& layout) {
    FixedFunctionLighting key;
    const auto& rs = state.renderStates;
    if (!rs[D3DRS_LIGHTING] || layout.pretransformed) return key;
    key.enabled = 1;
    const bool vertexColours = rs[D3DRS_COLORVERTEX] != FALSE;
    const bool diffuse = layout.diffuseOffset >= 0, specular = layout.specularOffset >= 0;
    key.diffuse = colourSource(rs[D3DRS_DIFFUSEMATERIALSOURCE], vertexColours, diffuse, specular);
    key.ambient = colourSource(rs[D3DRS_AMBIENTMATERIALSOURCE], vertexColours, diffuse, specular);
    key.specular = colourSource(rs[D3DRS_SPECULARMATERIALSOURCE], vertexColours, diffuse, specular);
    key.emissive = colourSource(rs[D3DRS_EMISSIVEMATERIALSOURCE], vertexColours, diffuse, specular);
    for (const DWORD* index = state.lights.activeBegin(); index != state.lights.activeEnd();
         ++index)
        key.lightTypes[key.lightCount++] = std::uint8_t(state.lights.light(*index).Type);
    return key;
}

bool stagesGenerate(const FixedFunctionKey& key, TexGen generated) {
    for (unsigned stage = 0; stage < key.stageCount; ++stage)
        if (key.stages[stage].texGen == generated) return true;
    return false;
}

// Local viewer and normalisation are kept only where they change the code's
// result, so that other draws share programs.
void setViewerAndNormals(FixedFunctionKey& key, const DeviceState& state) {
    const auto& rs = state.renderStates;
    const bool reflection = stagesGenerate(key, TexGen::CameraReflection);
    if ((key.lighting.enabled && key.specularAdd) || reflection)
        key.localViewer = rs[D3DRS_LOCALVIEWER] ? 1 : 0;
    const bool readsNormals =
        key.lighting.enabled || reflection || stagesGenerate(key, TexGen::CameraNormal);
    if (key.hasNormal && readsNormals) key.normalizeNormals = rs[D3DRS_NORMALIZENORMALS] ? 1 : 0;
}

void setFog(FixedFunctionKey& key, const DeviceState& state) {
    const auto& rs = state.renderStates;
    key.fog = fogKind(rs[D3DRS_FOGENABLE] != FALSE, rs[D3DRS_FOGTABLEMODE], rs[D3DRS_FOGVERTEXMODE],
                      key.pretransformed != 0);
    if (key.fog == FogKind::Table) key.fogFormula = std::uint8_t(rs[D3DRS_FOGTABLEMODE]);
    if (key.fog == FogKind::Vertex) {
        key.fogFormula = std::uint8_t(rs[D3DRS_FOGVERTEXMODE]);
        key.rangeFog = rs[D3DRS_RANGEFOGENABLE] ? 1 : 0;
    }
}

}  // namespace

ColourSource colourSource(DWORD materialSource, bool colorVertex, bool hasDiffuse,
                          bool hasSpecular) {
    if (!colorVertex) return ColourSource::Material;
    if (materialSource == D3DMCS_COLOR1 && hasDiffuse) return ColourSource::VertexDiffuse;
    if (materialSource == D3DMCS_COLOR2 && hasSpecular) return ColourSource::VertexSpecular;
    return ColourSource::Material;
}

FogKind fogKind(bool fogEnable, DWORD tableMode, DWORD vertexMode, bool pretransformed) {
    const auto known = [](DWORD mode) { return mode >= D3DFOG_EXP && mode <= D3DFOG_LINEAR; };
    if (!fogEnable) return FogKind::None;
    if (known(tableMode)) return FogKind::Table;
    if (known(vertexMode) && !pretransformed) return FogKind::Vertex;
    return FogKind::SpecularAlpha;
}

std::size_t FixedFunctionKeyHash::operator()(const FixedFunctionKey& key) const {
    unsigned char bytes[sizeof key];
    std::memcpy(bytes, &key, sizeof key);
    std::size_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

FixedFunctionKey fixedFunctionKey(const DeviceState& state, const VertexLayout& layout,
                                  std::uint8_t texturedStages) {
    const auto& rs = state.renderStates;
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
    if (rs[D3DRS_ALPHATESTENABLE]) {
        const DWORD func = rs[D3DRS_ALPHAFUNC];
        key.alphaFunc = func >= D3DCMP_NEVER && func <= D3DCMP_ALWAYS ? std::uint8_t(func)
                                                                      : std::uint8_t(D3DCMP_ALWAYS);
    }
    key.specularAdd = rs[D3DRS_SPECULARENABLE] ? 1 : 0;
    key.flatShading = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? 1 : 0;
    key.hasNormal = layout.normalOffset >= 0 && !layout.pretransformed ? 1 : 0;
    key.lighting = lightingKey(state, layout);
    setViewerAndNormals(key, state);
    setFog(key, state);
    return key;
}
