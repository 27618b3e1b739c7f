#include "platform/d3d8/recording/recording_surface.h"

#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/surface_info.h"

RecordingSurface::RecordingSurface(RecordingDevice& device, Recorder recorder)
    : DeviceChild(device), owner_(device), recorder_(std::move(recorder)) {}

ULONG RecordingSurface::AddRef() {
    const ULONG count = DeviceChild::AddRef();
    recorder_.note("AddRef", {}, HRESULT(count));
    return count;
}

ULONG RecordingSurface::Release() {
    recorder_.note("Release", {}, HRESULT(references() == 0 ? 0 : references() - 1));
    return DeviceChild::Release();  // may delete the device, and this with it
}

HRESULT RecordingSurface::GetDesc(D3DSURFACE_DESC* desc) {
    return recorder_.call("GetDesc", {}, [&] {
        if (desc == nullptr) return D3DERR_INVALIDCALL;
        *desc = backBufferDesc(owner_.presentParameters());
        return D3D_OK;
    });
}

HRESULT RecordingSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    return recorder_.callWith(
        "LockRect", [&] { return lockArgs(rect, flags); }, [&] { return lock(locked, rect); });
}

HRESULT RecordingSurface::lock(D3DLOCKED_RECT* locked, const RECT* rect) {
    const D3DPRESENT_PARAMETERS& params = owner_.presentParameters();
    RECT area;
    if (locked == nullptr || locked_ ||
        !resolveLockRect(rect, params.BackBufferWidth, params.BackBufferHeight, area))
        return D3DERR_INVALIDCALL;
    const std::vector<DWORD>& pixels = owner_.pixels();
    lockedPixels_.clear();
    if (pixels.empty())  // no pixels kept: the area reads as zeros
        lockedPixels_.resize(std::size_t(area.right - area.left) * (area.bottom - area.top));
    for (LONG y = area.top; y < area.bottom && !pixels.empty(); ++y) {
        const auto row = pixels.begin() + std::ptrdiff_t(y) * params.BackBufferWidth;
        lockedPixels_.insert(lockedPixels_.end(), row + area.left, row + area.right);
    }
    locked->Pitch = INT((area.right - area.left) * 4);
    locked->pBits = lockedPixels_.data();
    locked_ = true;
    return D3D_OK;
}

HRESULT RecordingSurface::UnlockRect() {
    return recorder_.call("UnlockRect", {}, [&] {
        if (!locked_) return D3DERR_INVALIDCALL;
        locked_ = false;
        lockedPixels_.clear();
        return D3D_OK;
    });
}
