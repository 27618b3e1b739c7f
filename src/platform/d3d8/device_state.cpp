#include "platform/d3d8/device_state.h"

#include <cstring>

StateGroup renderStateGroup(DWORD state) {
    switch (state) {
        case D3DRS_ALPHABLENDENABLE:
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
        case D3DRS_BLENDOP:
            return StateGroup::Blend;
        case D3DRS_ZENABLE:
        case D3DRS_ZWRITEENABLE:
        case D3DRS_ZFUNC:
        case D3DRS_ZBIAS:
            return StateGroup::DepthTest;
        case D3DRS_STENCILENABLE:
        case D3DRS_STENCILFAIL:
        case D3DRS_STENCILZFAIL:
        case D3DRS_STENCILPASS:
        case D3DRS_STENCILFUNC:
        case D3DRS_STENCILREF:
        case D3DRS_STENCILMASK:
        case D3DRS_STENCILWRITEMASK:
            return StateGroup::Stencil;
        case D3DRS_ALPHATESTENABLE:
        case D3DRS_ALPHAREF:
        case D3DRS_ALPHAFUNC:
            return StateGroup::AlphaTest;
        case D3DRS_FILLMODE:
        case D3DRS_SHADEMODE:
        case D3DRS_CULLMODE:
        case D3DRS_POINTSIZE:
        case D3DRS_POINTSIZE_MIN:
        case D3DRS_POINTSIZE_MAX:
            return StateGroup::Rasterizer;
        case D3DRS_COLORWRITEENABLE:
            return StateGroup::ColorWrite;
        case D3DRS_FOGENABLE:
        case D3DRS_FOGCOLOR:
        case D3DRS_FOGTABLEMODE:
        case D3DRS_FOGVERTEXMODE:
        case D3DRS_FOGSTART:
        case D3DRS_FOGEND:
        case D3DRS_FOGDENSITY:
        case D3DRS_RANGEFOGENABLE:
            return StateGroup::Fog;
        case D3DRS_LIGHTING:
        case D3DRS_AMBIENT:
        case D3DRS_SPECULARENABLE:
        case D3DRS_COLORVERTEX:
        case D3DRS_LOCALVIEWER:
        case D3DRS_NORMALIZENORMALS:
        case D3DRS_DIFFUSEMATERIALSOURCE:
        case D3DRS_SPECULARMATERIALSOURCE:
        case D3DRS_AMBIENTMATERIALSOURCE:
        case D3DRS_EMISSIVEMATERIALSOURCE:
            return StateGroup::Lighting;
        case D3DRS_TEXTUREFACTOR:
            return StateGroup::StageCombiner;
        default:
            return StateGroup::Other;
    }
}

int transformSlot(DWORD transformType) {
    if (transformType == D3DTS_VIEW) return 0;
    if (transformType == D3DTS_PROJECTION) return 1;
    if (transformType >= D3DTS_TEXTURE0 && transformType <= D3DTS_TEXTURE7)
        return 2 + int(transformType - D3DTS_TEXTURE0);
    if (transformType == D3DTS_WORLD) return 10;
    return -1;
}

bool isSamplerState(DWORD type) {
    switch (type) {
        case D3DTSS_ADDRESSU:
        case D3DTSS_ADDRESSV:
        case D3DTSS_ADDRESSW:
        case D3DTSS_BORDERCOLOR:
        case D3DTSS_MAGFILTER:
        case D3DTSS_MINFILTER:
        case D3DTSS_MIPFILTER:
        case D3DTSS_MIPMAPLODBIAS:
        case D3DTSS_MAXMIPLEVEL:
        case D3DTSS_MAXANISOTROPY:
            return true;
        default:
            return false;
    }
}

HRESULT DeviceState::setRenderState(DWORD state, DWORD value) {
    if (state >= D3D_RENDERSTATE_COUNT) return D3DERR_INVALIDCALL;
    if (renderStates[state] == value) return D3D_OK;  // GL has it already
    renderStates[state] = value;
    markDirty(renderStateGroup(state));
    return D3D_OK;
}

HRESULT DeviceState::getRenderState(DWORD state, DWORD* value) const {
    if (state >= D3D_RENDERSTATE_COUNT || value == nullptr) return D3DERR_INVALIDCALL;
    *value = renderStates[state];
    return D3D_OK;
}

HRESULT DeviceState::setStageState(DWORD stage, DWORD type, DWORD value) {
    if (stage >= D3D_TEXTURE_STAGE_COUNT || type >= D3D_TEXTURESTAGESTATE_COUNT)
        return D3DERR_INVALIDCALL;
    if (stageStates[stage][type] == value) return D3D_OK;  // GL has it already
    stageStates[stage][type] = value;
    if (isSamplerState(type))
        dirtySamplers |= std::uint8_t(1u << stage);
    else
        dirtyStageOps |= std::uint8_t(1u << stage);
    return D3D_OK;
}

HRESULT DeviceState::getStageState(DWORD stage, DWORD type, DWORD* value) const {
    if (stage >= D3D_TEXTURE_STAGE_COUNT || type >= D3D_TEXTURESTAGESTATE_COUNT || value == nullptr)
        return D3DERR_INVALIDCALL;
    *value = stageStates[stage][type];
    return D3D_OK;
}

HRESULT DeviceState::setTransform(DWORD type, const D3DMATRIX* matrix) {
    const int slot = transformSlot(type);
    if (slot < 0 || matrix == nullptr) return D3DERR_INVALIDCALL;
    transforms[slot] = *matrix;
    markDirty(StateGroup::Transforms);
    return D3D_OK;
}

HRESULT DeviceState::getTransform(DWORD type, D3DMATRIX* matrix) const {
    const int slot = transformSlot(type);
    if (slot < 0 || matrix == nullptr) return D3DERR_INVALIDCALL;
    *matrix = transforms[slot];
    return D3D_OK;
}

// A light that is off changes nothing drawn until it is enabled.
HRESULT DeviceState::setLight(DWORD index, const D3DLIGHT8* light) {
    const HRESULT result = lights.set(index, light);
    BOOL on = FALSE;
    if (SUCCEEDED(result) && SUCCEEDED(lights.isEnabled(index, &on)) && on)
        markDirty(StateGroup::Lights);
    return result;
}

HRESULT DeviceState::enableLight(DWORD index, BOOL on) {
    const DWORD before = lights.activeCount();
    const HRESULT result = lights.enable(index, on);
    if (SUCCEEDED(result) && lights.activeCount() != before) markDirty(StateGroup::Lights);
    return result;
}

HRESULT DeviceState::setMaterial(const D3DMATERIAL8* newMaterial) {
    if (newMaterial == nullptr) return D3DERR_INVALIDCALL;
    if (std::memcmp(&material, newMaterial, sizeof material) == 0) return D3D_OK;
    material = *newMaterial;
    markDirty(StateGroup::Material);
    return D3D_OK;
}

HRESULT DeviceState::getMaterial(D3DMATERIAL8* out) const {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    *out = material;
    return D3D_OK;
}

HRESULT DeviceState::setViewport(const D3DVIEWPORT8* newViewport, UINT targetWidth,
                                 UINT targetHeight) {
    if (newViewport == nullptr) return D3DERR_INVALIDCALL;
    const std::uint64_t right = std::uint64_t(newViewport->X) + newViewport->Width;
    const std::uint64_t bottom = std::uint64_t(newViewport->Y) + newViewport->Height;
    if (right > targetWidth || bottom > targetHeight) return D3DERR_INVALIDCALL;
    viewport = *newViewport;
    markDirty(StateGroup::Viewport);
    return D3D_OK;
}

void DeviceState::markAllDirty() {
    dirtyGroups = ~0u;
    dirtySamplers = 0xff;
    dirtyStageOps = 0xff;
}

DWORD floatBits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float floatFromBits(DWORD bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

D3DMATRIX identityMatrix() {
    D3DMATRIX matrix{};
    for (int i = 0; i < 4; ++i) matrix.m[i][i] = 1.0f;
    return matrix;
}
