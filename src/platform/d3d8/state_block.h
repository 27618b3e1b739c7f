// One state block: the states a recording set, with their values (after a
// capture, the device's values of those same states), to be applied again
// later. The textures and buffers it names are held as bound ones are, so
// they stay alive as long as the block may set them.
#pragma once

#include <array>
#include <bitset>
#include <map>

#include "platform/d3d8/bound_resources.h"
#include "platform/d3d8/device_state.h"

class StateBlock {
  public:
    // Recording, with the checks the device's own setters make.
    HRESULT setRenderState(DWORD state, DWORD value);
    HRESULT setStageState(DWORD stage, DWORD type, DWORD value);
    HRESULT setTransform(DWORD type, const D3DMATRIX* matrix);
    HRESULT setViewport(const D3DVIEWPORT8* viewport);
    HRESULT setLight(DWORD index, const D3DLIGHT8* light);
    HRESULT enableLight(DWORD index, BOOL on);
    HRESULT setMaterial(const D3DMATERIAL8* material);
    HRESULT setTexture(DWORD stage, IDirect3DBaseTexture8* texture);
    HRESULT setVertexShader(DWORD handle);
    HRESULT setStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride);
    HRESULT setIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex);

    // Sets every recorded state on the device's state and bindings (a
    // viewport that does not fit the current target is left out).
    void applyTo(DeviceState& state, BoundResources& bound, UINT targetWidth,
                 UINT targetHeight) const;
    // Takes the device's current values of the recorded states.
    void captureFrom(const DeviceState& state, const BoundResources& bound);

  private:
    struct LightEntry {
        bool lightSet = false;
        D3DLIGHT8 light{};
        bool enableSet = false;
        BOOL enabled = FALSE;
    };

    void applyStates(DeviceState& state) const;
    void applyLights(DeviceState& state) const;
    void applyBindings(BoundResources& bound) const;
    void captureStates(const DeviceState& state);
    void captureBindings(const BoundResources& bound);

    DeviceState values_;
    BoundResources bindings_;
    std::bitset<D3D_RENDERSTATE_COUNT> renderStates_;
    std::array<std::bitset<D3D_TEXTURESTAGESTATE_COUNT>, D3D_TEXTURE_STAGE_COUNT> stageStates_;
    std::bitset<TRANSFORM_SLOT_COUNT> transforms_;
    std::bitset<D3D_TEXTURE_STAGE_COUNT> textures_;
    std::map<DWORD, LightEntry> lights_;
    bool viewport_ = false;
    bool material_ = false;
    bool vertexShader_ = false;
    bool streamSource_ = false;
    bool indices_ = false;
};
