#include "platform/d3d8/gl/gl_texture.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/gl_translate.h"
#include "platform/d3d8/surface_info.h"

namespace {

// Render targets are stored as RGBA8 whatever their format, as the back
// buffer is; formats without alpha read alpha as 1.
GlFormat storedFormat(const TextureShape& shape) {
    if (shape.usage & D3DUSAGE_RENDERTARGET) return glFormat(D3DFMT_A8R8G8B8);
    return glFormat(shape.format);
}

void applySwizzle(const GlApi& gl, GlSwizzle swizzle, bool opaque) {
    GLint mask[4] = {GL_RED, GL_GREEN, GL_BLUE, opaque ? GL_ONE : GL_ALPHA};
    if (swizzle == GlSwizzle::Alpha) {
        mask[0] = mask[1] = mask[2] = GL_ZERO;
        mask[3] = GL_RED;
    } else if (swizzle == GlSwizzle::Luminance) {
        mask[0] = mask[1] = mask[2] = GL_RED;
        mask[3] = GL_ONE;
    } else if (swizzle == GlSwizzle::LuminanceAlpha) {
        mask[0] = mask[1] = mask[2] = GL_RED;
        mask[3] = GL_GREEN;
    }
    gl.TexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, mask);
}

}  // namespace

GlAttachment GlTextureSurface::glAttachment() const {
    const D3DSURFACE_DESC desc = texture_.levels().desc(level_);
    GlAttachment attachment;
    attachment.texture = texture_.glName();
    attachment.level = GLint(level_);
    attachment.width = desc.Width;
    attachment.height = desc.Height;
    return attachment;
}

ULONG GlTextureSurface::AddRef() {
    return texture_.AddRef();
}

ULONG GlTextureSurface::Release() {
    return texture_.Release();
}

void GlTextureSurface::hold() {
    texture_.hold();
}

void GlTextureSurface::unhold() {
    texture_.unhold();
}

HRESULT GlTextureSurface::GetDesc(D3DSURFACE_DESC* desc) {
    return texture_.GetLevelDesc(level_, desc);
}

HRESULT GlTextureSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    return texture_.LockRect(level_, locked, rect, flags);
}

HRESULT GlTextureSurface::UnlockRect() {
    return texture_.UnlockRect(level_);
}

GlTexture* GlTexture::create(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                             const TextureShape& shape) {
    context.makeCurrent();
    GLuint name = 0;
    context.gl().GenTextures(1, &name);
    auto* texture = new GlTexture(device, context, live, shape, name);
    if (!texture->allocate()) {
        texture->Release();
        return nullptr;
    }
    return texture;
}

GlTexture::GlTexture(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                     const TextureShape& shape, GLuint name)
    : DeviceResource(device, live),
      context_(context),
      levels_(shape, (shape.usage & D3DUSAGE_RENDERTARGET) == 0),
      name_(name),
      readBack_(shape.levels) {
    for (UINT level = 0; level < shape.levels; ++level)
        surfaces_.push_back(std::make_unique<GlTextureSurface>(*this, level));
}

GlTexture::~GlTexture() {
    context_.makeCurrent();
    context_.gl().DeleteTextures(1, &name_);
}

// Every level gets its storage now; levels in memory start as zeros.
bool GlTexture::allocate() {
    const GlApi& gl = context_.gl();
    const TextureShape& shape = levels_.shape();
    const GlFormat format = storedFormat(shape);
    gl.GetError();  // start from a clean error state
    gl.ActiveTexture(GL_UPLOAD_TEXTURE_UNIT);
    gl.BindTexture(GL_TEXTURE_2D, name_);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (UINT level = 0; level < shape.levels; ++level) {
        const D3DSURFACE_DESC desc = levels_.desc(level);
        const void* bytes = levels_.inMemory() ? levels_.bytes(level) : nullptr;
        gl.TexImage2D(GL_TEXTURE_2D, GLint(level), GLint(format.internalFormat),
                      GLsizei(desc.Width), GLsizei(desc.Height), 0, format.format, format.type,
                      bytes);
    }
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(shape.levels - 1));
    applySwizzle(gl, format.swizzle, !hasAlpha(shape.format));
    return gl.GetError() == GL_NO_ERROR;
}

void GlTexture::upload(UINT level) {
    context_.makeCurrent();
    const GlApi& gl = context_.gl();
    const GlFormat format = storedFormat(levels_.shape());
    const D3DSURFACE_DESC desc = levels_.desc(level);
    gl.ActiveTexture(GL_UPLOAD_TEXTURE_UNIT);
    gl.BindTexture(GL_TEXTURE_2D, name_);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.TexSubImage2D(GL_TEXTURE_2D, GLint(level), 0, 0, GLsizei(desc.Width), GLsizei(desc.Height),
                     format.format, format.type, levels_.bytes(level));
}

DWORD GlTexture::GetLevelCount() {
    return levels_.count();
}

HRESULT GlTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (desc == nullptr || !levels_.validLevel(level)) return D3DERR_INVALIDCALL;
    *desc = levels_.desc(level);
    return D3D_OK;
}

HRESULT GlTexture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) {
    if (surface == nullptr || !levels_.validLevel(level)) return D3DERR_INVALIDCALL;
    AddRef();
    *surface = surfaces_[level].get();
    return D3D_OK;
}

HRESULT GlTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (isRenderTarget()) return lockReadBack(level, locked, rect);
    return levels_.lock(level, locked, rect, flags);
}

HRESULT GlTexture::UnlockRect(UINT level) {
    if (isRenderTarget()) {
        if (!levels_.validLevel(level) || readBack_[level].empty()) return D3DERR_INVALIDCALL;
        readBack_[level].clear();
        return D3D_OK;
    }
    bool written = false;
    const HRESULT unlocked = levels_.unlock(level, written);
    if (SUCCEEDED(unlocked) && written) upload(level);
    return unlocked;
}

// The pixels of a render-target level as A8R8G8B8, top row first; writes
// to them are not sent back.
HRESULT GlTexture::lockReadBack(UINT level, D3DLOCKED_RECT* locked, const RECT* rect) {
    RECT area;
    if (locked == nullptr || !levels_.validLevel(level) || !readBack_[level].empty())
        return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc = levels_.desc(level);
    if (!resolveLockRect(rect, desc.Width, desc.Height, area)) return D3DERR_INVALIDCALL;
    context_.makeCurrent();
    readBack_[level] = readTextureLevel(context_.gl(), name_, GLint(level), area);
    if (!hasAlpha(levels_.shape().format))
        for (DWORD& pixel : readBack_[level]) pixel |= 0xff000000u;
    locked->Pitch = INT((area.right - area.left) * 4);
    locked->pBits = readBack_[level].data();
    return D3D_OK;
}
