// State blocks on the GL device: kept by the shared StateBlocks, applied to
// the device state, which draws then send to GL as for any other change.
#include "platform/d3d8/gl/gl_device.h"

HRESULT GlDevice::BeginStateBlock() {
    return blocks_.begin();
}

HRESULT GlDevice::EndStateBlock(DWORD* token) {
    return blocks_.end(token);
}

HRESULT GlDevice::ApplyStateBlock(DWORD token) {
    const D3DSURFACE_DESC target = renderTargetDesc();
    return blocks_.apply(token, state_, bound_, target.Width, target.Height);
}

HRESULT GlDevice::CaptureStateBlock(DWORD token) {
    return blocks_.capture(token, state_, bound_);
}

HRESULT GlDevice::DeleteStateBlock(DWORD token) {
    return blocks_.remove(token);
}
