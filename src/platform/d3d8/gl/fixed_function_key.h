// The states that change the code of the generated fixed-function program:
// the vertex format's parts, lighting (light types, material sources),
// fog, shading, the operations, arguments and texture coordinates of the
// active texture stages and the alpha test's comparison. Two draws with
// equal keys share one program; everything else reaches the program as
// uniforms.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/vertex_layout.h"

constexpr std::uint8_t NO_TEXCOORD_SET = 0xff;

// Where a texture stage's coordinates come from: D3DTSS_TCI_* >> 16.
enum class TexGen : std::uint8_t { PassThrough, CameraNormal, CameraPosition, CameraReflection };

// Where a lit vertex takes one of its material colours from.
enum class ColourSource : std::uint8_t { Material, VertexDiffuse, VertexSpecular };

// Which fog factor blends with the fog colour.
enum class FogKind : std::uint8_t {
    None,           // fog off
    Table,          // per pixel from depth (D3DRS_FOGTABLEMODE)
    Vertex,         // per vertex from camera space (D3DRS_FOGVERTEXMODE)
    SpecularAlpha,  // both modes NONE: the vertex's specular alpha is the factor
};

struct FixedFunctionStage {
    std::uint8_t colorOp = 0;       // D3DTEXTUREOP
    std::uint8_t colorArg[3] = {};  // arguments 1, 2 and 0: D3DTA selector and modifiers
    std::uint8_t alphaOp = 0;
    std::uint8_t alphaArg[3] = {};
    std::uint8_t resultArg = 0;  // D3DTA_CURRENT or D3DTA_TEMP
    std::uint8_t textured = 0;   // a texture is bound; otherwise it reads opaque white
    // Coordinates, only for a textured stage:
    std::uint8_t texCoordSet = 0;  // NO_TEXCOORD_SET when the vertex has not that set
    std::uint8_t inputFloats = 0;  // floats of that set in the vertex
    TexGen texGen = TexGen::PassThrough;
    std::uint8_t transformCount = 0;  // D3DTTFF_COUNT1..4; 0: no texture transform
    std::uint8_t projected = 0;       // D3DTTFF_PROJECTED

    bool operator==(const FixedFunctionStage&) const = default;
};

struct FixedFunctionLighting {
    std::uint8_t enabled = 0;     // D3DRS_LIGHTING on a vertex that is not pre-transformed
    std::uint8_t lightCount = 0;  // lights on, at most D3D_MAX_ACTIVE_LIGHTS
    ColourSource diffuse = ColourSource::Material;
    ColourSource ambient = ColourSource::Material;
    ColourSource specular = ColourSource::Material;
    ColourSource emissive = ColourSource::Material;
    std::uint8_t lightTypes[D3D_MAX_ACTIVE_LIGHTS] = {};  // D3DLIGHTTYPE, in index order

    bool operator==(const FixedFunctionLighting&) const = default;
};

struct FixedFunctionKey {
    std::uint8_t pretransformed = 0;
    std::uint8_t hasDiffuse = 0;
    std::uint8_t hasSpecular = 0;
    std::uint8_t texCoordCount = 0;
    std::uint8_t stageCount = 0;   // stages before the first whose colour operation is DISABLE
    std::uint8_t alphaFunc = 0;    // D3DCMPFUNC of the alpha test; 0 when the test is off
    std::uint8_t specularAdd = 0;  // D3DRS_SPECULARENABLE: specular lit and added after the stages
    std::uint8_t flatShading = 0;  // D3DSHADE_FLAT: colours of each triangle's first vertex
    std::uint8_t hasNormal = 0;
    // D3DRS_NORMALIZENORMALS, kept only where lighting or generated
    // coordinates read normals.
    std::uint8_t normalizeNormals = 0;
    // D3DRS_LOCALVIEWER, kept only where specular lighting or reflection
    // vectors use it.
    std::uint8_t localViewer = 0;
    FogKind fog = FogKind::None;
    std::uint8_t fogFormula = 0;  // D3DFOGMODE of table or vertex fog
    std::uint8_t rangeFog = 0;    // vertex fog by distance rather than depth
    FixedFunctionLighting lighting;
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

// Which colour a D3DRS_*MATERIALSOURCE value picks for a vertex with or
// without diffuse and specular colours: vertex colours only while
// D3DRS_COLORVERTEX is on and the vertex has that colour.
ColourSource colourSource(DWORD materialSource, bool colorVertex, bool hasDiffuse,
                          bool hasSpecular);

// The fog of a draw: table fog takes precedence over vertex fog; vertex fog
// needs a vertex Direct3D transforms.
FogKind fogKind(bool fogEnable, DWORD tableMode, DWORD vertexMode, bool pretransformed);
