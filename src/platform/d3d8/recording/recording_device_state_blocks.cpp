// State blocks on the recording device, logged as calls of their own.
#include "platform/d3d8/recording/recording_device.h"

HRESULT RecordingDevice::BeginStateBlock() {
    return recorder_.call("BeginStateBlock", {}, [&] { return blocks_.begin(); });
}

HRESULT RecordingDevice::EndStateBlock(DWORD* token) {
    return recorder_.call("EndStateBlock", {}, [&] { return blocks_.end(token); });
}

HRESULT RecordingDevice::ApplyStateBlock(DWORD token) {
    return recorder_.call("ApplyStateBlock", {double(token)}, [&] {
        const D3DSURFACE_DESC target = renderTargetDesc();
        return blocks_.apply(token, state_, bound_, target.Width, target.Height);
    });
}

HRESULT RecordingDevice::CaptureStateBlock(DWORD token) {
    return recorder_.call("CaptureStateBlock", {double(token)},
                          [&] { return blocks_.capture(token, state_, bound_); });
}

HRESULT RecordingDevice::DeleteStateBlock(DWORD token) {
    return recorder_.call("DeleteStateBlock", {double(token)},
                          [&] { return blocks_.remove(token); });
}
