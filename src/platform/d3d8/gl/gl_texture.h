// Textures of the GL backend. Every level lives only in GL: a managed
// texture keeps no system copy, since its GL texture survives a device
// reset. Locking a level hands out a copy of the locked area, read back from
// GL (or zeros, for rows never written since the texture was made); the
// unlock sends a copy that may have changed back to GL and drops it. Writes
// to a locked render-target level are not sent back.
#pragma once

#include <memory>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/gl/gl_attachment.h"
#include "platform/d3d8/texture_levels.h"

class GlContext;
class GlTexture;

// The surface of one level; its references are the texture's.
class GlTextureSurface : public IDirect3DSurface8, public DeviceHold, public GlAttachable {
  public:
    GlTextureSurface(GlTexture& texture, UINT level) : texture_(texture), level_(level) {}
    ~GlTextureSurface() = default;

    GlTexture& texture() const { return texture_; }
    UINT level() const { return level_; }
    GlAttachment glAttachment() const override;

    ULONG AddRef() override;
    ULONG Release() override;
    void hold() override;
    void unhold() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

  private:
    GlTexture& texture_;
    UINT level_;
};

class GlTexture final : public DeviceResource<IDirect3DTexture8> {
  public:
    // Null when GL cannot make the texture. `live` counts default-pool
    // resources for the device's Reset check.
    static GlTexture* create(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                             const TextureShape& shape);
    ~GlTexture() override;

    GLuint glName() const { return name_; }
    const TextureLevels& levels() const { return levels_; }
    bool isRenderTarget() const { return (levels_.shape().usage & D3DUSAGE_RENDERTARGET) != 0; }

    DWORD GetLevelCount() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

  private:
    // The copy a lock hands out: the locked area's bytes, rows `pitch` apart.
    struct LockedCopy {
        RECT area{};
        std::size_t pitch = 0;
        std::vector<BYTE> bytes;
    };
    // Rows [top, bottom) of a level that may hold something other than
    // zeros: every row written since the texture was made lies in them.
    struct WrittenRows {
        LONG top = 0;
        LONG bottom = 0;
    };

    GlTexture(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
              const TextureShape& shape, GLuint name);
    bool allocate();
    void zeroLevel(UINT level);
    void bindForTransfer();
    void readBack(UINT level, LockedCopy& copy);
    void readRenderTarget(UINT level, LockedCopy& copy);
    void upload(UINT level, const LockedCopy& copy);

    GlContext& context_;
    TextureLevels levels_;
    GLuint name_;
    std::vector<std::unique_ptr<GlTextureSurface>> surfaces_;
    // Per level: the copy handed out by a lock, until its unlock.
    std::vector<LockedCopy> lockedCopies_;
    std::vector<WrittenRows> writtenRows_;
};

// Texture unit used for creating and filling textures, apart from the
// units the stages draw with, so uploads never disturb a stage's binding.
constexpr GLenum GL_UPLOAD_TEXTURE_UNIT = GL_TEXTURE0 + 15;
