#include "platform/d3d8/recording/recording_texture.h"

#include <algorithm>

RecordingTextureSurface::RecordingTextureSurface(RecordingTexture& texture, UINT level,
                                                 Recorder recorder)
    : texture_(texture), level_(level), recorder_(std::move(recorder)) {}

ULONG RecordingTextureSurface::AddRef() {
    return texture_.AddRef();
}

ULONG RecordingTextureSurface::Release() {
    return texture_.Release();
}

void RecordingTextureSurface::hold() {
    texture_.hold();
}

void RecordingTextureSurface::unhold() {
    texture_.unhold();
}

HRESULT RecordingTextureSurface::GetDesc(D3DSURFACE_DESC* desc) {
    return recorder_.call("GetDesc", {}, [&] {
        if (desc == nullptr) return D3DERR_INVALIDCALL;
        *desc = texture_.levels().desc(level_);
        return D3D_OK;
    });
}

HRESULT RecordingTextureSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    return recorder_.callWith(
        "LockRect", [&] { return lockArgs(rect, flags); },
        [&] { return texture_.levels().lock(level_, locked, rect, flags); });
}

HRESULT RecordingTextureSurface::UnlockRect() {
    return recorder_.call("UnlockRect", {}, [&] {
        bool written = false;
        return texture_.levels().unlock(level_, written);
    });
}

RecordingTexture::RecordingTexture(IDirect3DDevice8& device, std::size_t* live,
                                   const TextureShape& shape, Recorder recorder,
                                   const Recorder& surfaceRecorder)
    : DeviceResource(device, live), recorder_(std::move(recorder)), levels_(shape, true) {
    for (UINT level = 0; level < shape.levels; ++level)
        surfaces_.push_back(
            std::make_unique<RecordingTextureSurface>(*this, level, surfaceRecorder));
}

void RecordingTexture::fill(UINT level, const D3DRECT& area, D3DCOLOR color) {
    if (!levels_.validLevel(level)) return;
    const UINT width = levels_.desc(level).Width;
    if (levels_.pitch(level) != width * 4) return;  // only 32-bit levels are filled
    auto* pixels = reinterpret_cast<DWORD*>(levels_.bytes(level));
    for (LONG y = area.y1; y < area.y2; ++y) {
        DWORD* row = pixels + std::size_t(y) * width;
        std::fill(row + area.x1, row + area.x2, color);
    }
}

ULONG RecordingTexture::AddRef() {
    const ULONG count = DeviceResource::AddRef();
    recorder_.note("AddRef", {}, HRESULT(count));
    return count;
}

ULONG RecordingTexture::Release() {
    recorder_.note("Release", {}, HRESULT(references() == 0 ? 0 : references() - 1));
    return DeviceResource::Release();  // may delete this
}

DWORD RecordingTexture::GetLevelCount() {
    recorder_.note("GetLevelCount", {}, HRESULT(levels_.count()));
    return levels_.count();
}

HRESULT RecordingTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    return recorder_.call("GetLevelDesc", {double(level)}, [&] {
        if (desc == nullptr || !levels_.validLevel(level)) return D3DERR_INVALIDCALL;
        *desc = levels_.desc(level);
        return D3D_OK;
    });
}

HRESULT RecordingTexture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) {
    return recorder_.call("GetSurfaceLevel", {double(level)}, [&] {
        if (surface == nullptr || !levels_.validLevel(level)) return D3DERR_INVALIDCALL;
        DeviceResource::AddRef();
        *surface = surfaces_[level].get();
        return D3D_OK;
    });
}

HRESULT RecordingTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                   DWORD flags) {
    const auto args = [&] {
        std::vector<double> spelled{double(level)};
        const std::vector<double> rest = lockArgs(rect, flags);
        spelled.insert(spelled.end(), rest.begin(), rest.end());
        return spelled;
    };
    return recorder_.callWith("LockRect", args,
                              [&] { return levels_.lock(level, locked, rect, flags); });
}

HRESULT RecordingTexture::UnlockRect(UINT level) {
    return recorder_.call("UnlockRect", {double(level)}, [&] {
        bool written = false;
        return levels_.unlock(level, written);
    });
}
