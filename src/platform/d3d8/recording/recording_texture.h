// Textures of the recording backend (object "Texture", their level surfaces
// "Surface"). Every level lives in memory, render targets included, so that
// a Clear aimed at a texture fills it and a lock reads it back.
#pragma once

#include <memory>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/recording/recorder.h"
#include "platform/d3d8/texture_levels.h"

class RecordingTexture;

// The surface of one level; its references are the texture's.
class RecordingTextureSurface : public IDirect3DSurface8, public DeviceHold {
  public:
    RecordingTextureSurface(RecordingTexture& texture, UINT level, Recorder recorder);
    ~RecordingTextureSurface() = default;

    RecordingTexture& texture() { return texture_; }
    UINT level() const { return level_; }

    ULONG AddRef() override;
    ULONG Release() override;
    void hold() override;
    void unhold() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    // Logged arguments: left, top, right, bottom when given, then the flags.
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

  private:
    RecordingTexture& texture_;
    UINT level_;
    Recorder recorder_;
};

class RecordingTexture final : public DeviceResource<IDirect3DTexture8> {
  public:
    // `live` counts default-pool resources for the device's Reset check.
    RecordingTexture(IDirect3DDevice8& device, std::size_t* live, const TextureShape& shape,
                     Recorder recorder, const Recorder& surfaceRecorder);

    TextureLevels& levels() { return levels_; }
    // Fills an area of a 32-bit level with a colour (a Clear aimed at it).
    void fill(UINT level, const D3DRECT& area, D3DCOLOR color);

    ULONG AddRef() override;
    ULONG Release() override;
    DWORD GetLevelCount() override;
    // Logged arguments: the level.
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
    // Logged arguments: the level, left, top, right, bottom when given, then the flags.
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

  private:
    Recorder recorder_;
    TextureLevels levels_;
    std::vector<std::unique_ptr<RecordingTextureSurface>> surfaces_;
};
