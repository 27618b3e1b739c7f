// Lights and material on the GL device: kept in the device state, sent to
// the generated programs when a draw needs them.
#include "platform/d3d8/gl/gl_device.h"

HRESULT GlDevice::SetLight(DWORD index, const D3DLIGHT8* light) {
    if (StateBlock* block = blocks_.recording()) return block->setLight(index, light);
    return state_.setLight(index, light);
}

HRESULT GlDevice::GetLight(DWORD index, D3DLIGHT8* light) {
    return state_.lights.get(index, light);
}

HRESULT GlDevice::LightEnable(DWORD index, BOOL enable) {
    if (StateBlock* block = blocks_.recording()) return block->enableLight(index, enable);
    return state_.enableLight(index, enable);
}

HRESULT GlDevice::GetLightEnable(DWORD index, BOOL* enable) {
    return state_.lights.isEnabled(index, enable);
}

HRESULT GlDevice::SetMaterial(const D3DMATERIAL8* material) {
    if (StateBlock* block = blocks_.recording()) return block->setMaterial(material);
    return state_.setMaterial(material);
}

HRESULT GlDevice::GetMaterial(D3DMATERIAL8* material) {
    return state_.getMaterial(material);
}
