#include "platform/d3d8/light_table.h"

#include <algorithm>

D3DLIGHT8 defaultLight() {
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    return light;
}

HRESULT checkLight(DWORD index, const D3DLIGHT8* light) {
    if (light == nullptr || index > D3D_MAX_LIGHT_INDEX) return D3DERR_INVALIDCALL;
    if (light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL)
        return D3DERR_INVALIDCALL;
    return light->Range >= 0.0f ? D3D_OK : D3DERR_INVALIDCALL;  // NaN fails too
}

LightTable::Slot& LightTable::slotAt(DWORD index) {
    if (index >= slots_.size()) slots_.resize(std::size_t(index) + 1);
    Slot& slot = slots_[index];
    if (!slot.set) {
        slot.light = defaultLight();
        slot.set = true;
    }
    return slot;
}

HRESULT LightTable::set(DWORD index, const D3DLIGHT8* light) {
    const HRESULT checked = checkLight(index, light);
    if (FAILED(checked)) return checked;
    slotAt(index).light = *light;
    return D3D_OK;
}

HRESULT LightTable::get(DWORD index, D3DLIGHT8* light) const {
    if (light == nullptr || index >= slots_.size() || !slots_[index].set) return D3DERR_INVALIDCALL;
    *light = slots_[index].light;
    return D3D_OK;
}

HRESULT LightTable::enable(DWORD index, BOOL on) {
    if (index > D3D_MAX_LIGHT_INDEX) return D3DERR_INVALIDCALL;
    const bool wasOn = index < slots_.size() && slots_[index].enabled;
    if (on && !wasOn && activeCount_ == D3D_MAX_ACTIVE_LIGHTS) return D3DERR_INVALIDCALL;
    Slot& slot = slotAt(index);
    slot.enabled = on != FALSE;
    if (slot.enabled && !wasOn) addActive(index);
    if (!slot.enabled && wasOn) removeActive(index);
    return D3D_OK;
}

HRESULT LightTable::isEnabled(DWORD index, BOOL* on) const {
    if (on == nullptr || index >= slots_.size() || !slots_[index].set) return D3DERR_INVALIDCALL;
    *on = slots_[index].enabled ? TRUE : FALSE;
    return D3D_OK;
}

void LightTable::addActive(DWORD index) {
    DWORD* end = active_.data() + activeCount_;
    DWORD* at = std::lower_bound(active_.data(), end, index);
    std::copy_backward(at, end, end + 1);
    *at = index;
    ++activeCount_;
}

void LightTable::removeActive(DWORD index) {
    DWORD* end = active_.data() + activeCount_;
    DWORD* at = std::find(active_.data(), end, index);
    if (at == end) return;
    std::copy(at + 1, end, at);
    --activeCount_;
}
