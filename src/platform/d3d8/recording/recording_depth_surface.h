// Depth-stencil surfaces of the recording backend (object "Surface"): one
// made by CreateDepthStencilSurface, or the automatic one of the back
// buffer, which the device owns. They hold no pixels and cannot be locked.
#pragma once

#include <utility>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/depth_surface_info.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/recording/recorder.h"
#include "platform/d3d8/recording/recording_texture.h"
#include "platform/d3d8/ref_counted.h"

template <class Base>
class RecordingDepthSurfaceOf final : public Base {
  public:
    template <class... BaseArgs>
    RecordingDepthSurfaceOf(Recorder recorder, const D3DSURFACE_DESC& desc, BaseArgs&&... args)
        : Base(std::forward<BaseArgs>(args)...), recorder_(std::move(recorder)), desc_(desc) {}

    ULONG AddRef() override {
        const ULONG count = Base::AddRef();
        recorder_.note("AddRef", {}, HRESULT(count));
        return count;
    }

    ULONG Release() override {
        const ULONG count = Base::references();
        recorder_.note("Release", {}, HRESULT(count == 0 ? 0 : count - 1));
        return Base::Release();  // may delete this
    }

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override {
        return recorder_.call("GetDesc", {}, [&] {
            if (desc == nullptr) return D3DERR_INVALIDCALL;
            *desc = desc_;
            return D3D_OK;
        });
    }

    HRESULT LockRect(D3DLOCKED_RECT*, const RECT* rect, DWORD flags) override {
        return recorder_.callWith(
            "LockRect", [&] { return lockArgs(rect, flags); }, [] { return D3DERR_INVALIDCALL; });
    }

    HRESULT UnlockRect() override {
        return recorder_.call("UnlockRect", {}, [] { return D3DERR_INVALIDCALL; });
    }

    const D3DSURFACE_DESC& desc() const { return desc_; }

  private:
    Recorder recorder_;
    D3DSURFACE_DESC desc_;
};

// Made by CreateDepthStencilSurface: holds its device, counts as a
// default-pool resource.
using RecordingDepthSurface = RecordingDepthSurfaceOf<DeviceResource<IDirect3DSurface8>>;
// The back buffer's automatic depth-stencil surface.
using RecordingAutoDepthSurface = RecordingDepthSurfaceOf<DeviceChild<IDirect3DSurface8>>;
