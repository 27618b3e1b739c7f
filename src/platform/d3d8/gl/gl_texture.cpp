#include "platform/d3d8/gl/gl_texture.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/gl_translate.h"
#include "platform/d3d8/surface_info.h"

namespace {

// Levels are cleared in strips of about this many bytes.
constexpr UINT ZERO_STRIP_BYTES = 256 * 1024;

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
      levels_(shape, false),
      name_(name),
      lockedCopies_(shape.levels),
      writtenRows_(shape.levels) {
    for (UINT level = 0; level < shape.levels; ++level)
        surfaces_.push_back(std::make_unique<GlTextureSurface>(*this, level));
}

GlTexture::~GlTexture() {
    context_.makeCurrent();
    context_.gl().DeleteTextures(1, &name_);
}

// Every level gets its storage now; levels of textures that are not render
// targets start as zeros. The level range comes first, so that the driver
// can reserve the whole chain at once rather than level 0 on its own first.
bool GlTexture::allocate() {
    const GlApi& gl = context_.gl();
    const TextureShape& shape = levels_.shape();
    const GlFormat format = storedFormat(shape);
    gl.GetError();  // start from a clean error state
    bindForTransfer();
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(shape.levels - 1));
    for (UINT level = 0; level < shape.levels; ++level) {
        const D3DSURFACE_DESC desc = levels_.desc(level);
        gl.TexImage2D(GL_TEXTURE_2D, GLint(level), GLint(format.internalFormat),
                      GLsizei(desc.Width), GLsizei(desc.Height), 0, format.format, format.type,
                      nullptr);
        if (!isRenderTarget()) zeroLevel(level);
    }
    applySwizzle(gl, format.swizzle, !hasAlpha(shape.format));
    return gl.GetError() == GL_NO_ERROR;
}

// A strip of zero rows at a time, so that no level-sized buffer is made.
void GlTexture::zeroLevel(UINT level) {
    const GlFormat format = storedFormat(levels_.shape());
    const D3DSURFACE_DESC desc = levels_.desc(level);
    const UINT pitch = levels_.pitch(level);
    const UINT stripRows = std::clamp(ZERO_STRIP_BYTES / pitch, 1u, desc.Height);
    const std::vector<BYTE> zeros(std::size_t(pitch) * stripRows, 0);
    for (UINT top = 0; top < desc.Height; top += stripRows)
        context_.gl().TexSubImage2D(GL_TEXTURE_2D, GLint(level), 0, GLint(top), GLsizei(desc.Width),
                                    GLsizei(std::min(stripRows, desc.Height - top)), format.format,
                                    format.type, zeros.data());
}

void GlTexture::bindForTransfer() {
    const GlApi& gl = context_.gl();
    gl.ActiveTexture(GL_UPLOAD_TEXTURE_UNIT);
    gl.BindTexture(GL_TEXTURE_2D, name_);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
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
    if (locked == nullptr) return D3DERR_INVALIDCALL;
    RECT area;
    const HRESULT marked = levels_.markLocked(level, rect, flags, area);
    if (FAILED(marked)) return marked;
    LockedCopy& copy = lockedCopies_[level];
    copy.area = area;
    context_.makeCurrent();
    if (isRenderTarget())
        readRenderTarget(level, copy);
    else
        readBack(level, copy);
    locked->Pitch = INT(copy.pitch);
    locked->pBits = copy.bytes.data();
    return D3D_OK;
}

HRESULT GlTexture::UnlockRect(UINT level) {
    bool written = false;
    const HRESULT unlocked = levels_.unlock(level, written);
    if (FAILED(unlocked)) return unlocked;
    LockedCopy& copy = lockedCopies_[level];
    if (written && !isRenderTarget()) upload(level, copy);
    copy = {};
    return D3D_OK;
}

// The area's rows as GL holds them; rows never written are zeros and are
// not read.
void GlTexture::readBack(UINT level, LockedCopy& copy) {
    const RECT& area = copy.area;
    const std::size_t bytesPerPixel = bitsPerPixel(levels_.shape().format) / 8;
    copy.pitch = std::size_t(area.right - area.left) * bytesPerPixel;
    copy.bytes.assign(copy.pitch * std::size_t(area.bottom - area.top), 0);
    const WrittenRows& written = writtenRows_[level];
    if (area.top >= written.bottom || area.bottom <= written.top) return;
    const GlFormat format = storedFormat(levels_.shape());
    const D3DSURFACE_DESC desc = levels_.desc(level);
    const std::size_t levelPitch = levels_.pitch(level);
    const bool whole =
        copy.pitch == levelPitch && std::size_t(desc.Height) == std::size_t(area.bottom - area.top);
    std::vector<BYTE> levelBytes;
    if (!whole) levelBytes.resize(levelPitch * desc.Height);
    bindForTransfer();
    context_.gl().GetTexImage(GL_TEXTURE_2D, GLint(level), format.format, format.type,
                              whole ? copy.bytes.data() : levelBytes.data());
    if (whole) return;
    for (LONG y = area.top; y < area.bottom; ++y)
        std::memcpy(copy.bytes.data() + std::size_t(y - area.top) * copy.pitch,
                    levelBytes.data() + std::size_t(y) * levelPitch +
                        std::size_t(area.left) * bytesPerPixel,
                    copy.pitch);
}

// The pixels of a render-target level as A8R8G8B8, top row first.
void GlTexture::readRenderTarget(UINT level, LockedCopy& copy) {
    std::vector<DWORD> pixels = readTextureLevel(context_.gl(), name_, GLint(level), copy.area);
    if (!hasAlpha(levels_.shape().format))
        for (DWORD& pixel : pixels) pixel |= 0xff000000u;
    copy.pitch = std::size_t(copy.area.right - copy.area.left) * 4;
    const auto* bytes = reinterpret_cast<const BYTE*>(pixels.data());
    copy.bytes.assign(bytes, bytes + pixels.size() * 4);
}

void GlTexture::upload(UINT level, const LockedCopy& copy) {
    context_.makeCurrent();
    const GlFormat format = storedFormat(levels_.shape());
    const RECT& area = copy.area;
    bindForTransfer();
    context_.gl().TexSubImage2D(GL_TEXTURE_2D, GLint(level), area.left, area.top,
                                area.right - area.left, area.bottom - area.top, format.format,
                                format.type, copy.bytes.data());
    WrittenRows& written = writtenRows_[level];
    if (written.bottom <= written.top) {
        written = {area.top, area.bottom};
        return;
    }
    written.top = std::min(written.top, area.top);
    written.bottom = std::max(written.bottom, area.bottom);
}
