// The device's pipeline state, kept raw as Direct3D numbers: render states
// and texture stage states in arrays indexed by their D3DRS_* / D3DTSS_*
// values, transforms and the viewport. Both backends keep one; a GL draw
// sends only the groups marked dirty since the last draw. Setting a state
// to the value it has marks nothing.
#pragma once

#include <array>
#include <cstdint>

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/light_table.h"

// Groups of state that reach GL together.
enum class StateGroup : std::uint32_t {
    Blend = 1u << 0,          // alpha blending, factors, blend operation
    DepthTest = 1u << 1,      // depth enable, write, compare, bias
    Stencil = 1u << 2,        // stencil test and operations
    AlphaTest = 1u << 3,      // alpha test enable, function, reference
    Rasterizer = 1u << 4,     // culling, fill mode, shading, points
    ColorWrite = 1u << 5,     // colour write mask
    Fog = 1u << 6,            // fog enables, mode, colour, range
    Lighting = 1u << 7,       // lighting, ambient, material sources
    StageCombiner = 1u << 8,  // texture factor (stage operations are tracked per stage)
    Viewport = 1u << 9,
    Transforms = 1u << 10,
    Other = 1u << 11,     // states without a GL counterpart
    Lights = 1u << 12,    // the lights and which of them are on
    Material = 1u << 13,  // the material
};

// Which group a render state belongs to.
StateGroup renderStateGroup(DWORD state);

// Where a transform is kept: view, projection, texture 0..7, world.
constexpr int TRANSFORM_SLOT_COUNT = 11;
// The slot of a transform type, or -1 when the type is not kept.
int transformSlot(DWORD transformType);

struct DeviceState {
    std::array<DWORD, D3D_RENDERSTATE_COUNT> renderStates{};
    std::array<std::array<DWORD, D3D_TEXTURESTAGESTATE_COUNT>, D3D_TEXTURE_STAGE_COUNT>
        stageStates{};
    std::array<D3DMATRIX, TRANSFORM_SLOT_COUNT> transforms{};
    D3DVIEWPORT8 viewport{};
    LightTable lights;
    D3DMATERIAL8 material{};

    std::uint32_t dirtyGroups = 0;   // StateGroup bits
    std::uint8_t dirtySamplers = 0;  // one bit per stage: filters, addressing, border
    std::uint8_t dirtyStageOps = 0;  // one bit per stage: operations, arguments, coordinates

    // Validated access; D3DERR_INVALIDCALL for a state, stage or transform out of range.
    HRESULT setRenderState(DWORD state, DWORD value);
    HRESULT getRenderState(DWORD state, DWORD* value) const;
    HRESULT setStageState(DWORD stage, DWORD type, DWORD value);
    HRESULT getStageState(DWORD stage, DWORD type, DWORD* value) const;
    HRESULT setTransform(DWORD type, const D3DMATRIX* matrix);
    HRESULT getTransform(DWORD type, D3DMATRIX* matrix) const;
    HRESULT setLight(DWORD index, const D3DLIGHT8* light);
    HRESULT enableLight(DWORD index, BOOL on);
    HRESULT setMaterial(const D3DMATERIAL8* newMaterial);
    HRESULT getMaterial(D3DMATERIAL8* out) const;
    // The viewport must lie inside the render target of the given size.
    HRESULT setViewport(const D3DVIEWPORT8* viewport, UINT targetWidth, UINT targetHeight);

    void markDirty(StateGroup group) { dirtyGroups |= std::uint32_t(group); }
    bool isDirty(StateGroup group) const { return (dirtyGroups & std::uint32_t(group)) != 0; }
    void markAllDirty();
};

// A device's state as Direct3D 8 sets it on creation and on Reset: the
// documented defaults, depth test on when there is an automatic depth
// buffer, and the viewport covering the whole back buffer.
DeviceState defaultDeviceState(bool autoDepthStencil, bool softwareVertexProcessing,
                               UINT backBufferWidth, UINT backBufferHeight);

// Whether the stage state decides sampling (filters, addressing) rather than
// the stage's colour and alpha operations.
bool isSamplerState(DWORD type);

// Float-valued render states are stored as the float's bits.
DWORD floatBits(float value);
float floatFromBits(DWORD bits);

D3DMATRIX identityMatrix();
