#include "platform/d3d8/texture_levels.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/surface_info.h"

namespace {

constexpr DWORD LOCKED_BIT = 0x80000000u;

bool isRenderTargetTextureFormat(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

bool validPool(DWORD usage, D3DPOOL pool) {
    if (usage & D3DUSAGE_RENDERTARGET) return pool == D3DPOOL_DEFAULT;
    return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM;
}

}  // namespace

UINT fullLevelCount(UINT width, UINT height) {
    UINT levels = 1;
    for (UINT side = width > height ? width : height; side > 1; side /= 2) ++levels;
    return levels;
}

UINT levelSide(UINT side, UINT level) {
    const UINT halved = level >= 32 ? 0 : side >> level;
    return halved == 0 ? 1 : halved;
}

bool isStoredTextureFormat(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
        case D3DFMT_A4R4G4B4:
        case D3DFMT_A8:
        case D3DFMT_L8:
        case D3DFMT_A8L8:
            return true;
        default:
            return false;
    }
}

HRESULT checkTextureCreation(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                             D3DPOOL pool, UINT maxSide, TextureShape& shape) {
    if (width == 0 || height == 0 || width > maxSide || height > maxSide) return D3DERR_INVALIDCALL;
    if (usage & ~(D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC)) return D3DERR_INVALIDCALL;
    if (!isStoredTextureFormat(format) || !validPool(usage, pool)) return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_RENDERTARGET) && !isRenderTargetTextureFormat(format))
        return D3DERR_INVALIDCALL;
    const UINT full = fullLevelCount(width, height);
    if (levels > full) return D3DERR_INVALIDCALL;
    shape = {width, height, levels == 0 ? full : levels, usage, format, pool};
    return D3D_OK;
}

TextureLevels::TextureLevels(const TextureShape& shape, bool inMemory)
    : shape_(shape), lockFlags_(shape.levels, 0) {
    if (!inMemory) return;
    levels_.resize(shape.levels);
    for (UINT level = 0; level < shape.levels; ++level)
        levels_[level].assign(std::size_t(pitch(level)) * levelSide(shape.height, level), 0);
}

D3DSURFACE_DESC TextureLevels::desc(UINT level) const {
    D3DSURFACE_DESC desc{};
    desc.Format = shape_.format;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = shape_.usage;
    desc.Pool = shape_.pool;
    desc.MultiSampleType = D3DMULTISAMPLE_NONE;
    desc.Width = levelSide(shape_.width, level);
    desc.Height = levelSide(shape_.height, level);
    desc.Size = pitch(level) * desc.Height;
    return desc;
}

UINT TextureLevels::pitch(UINT level) const {
    return levelSide(shape_.width, level) * (bitsPerPixel(shape_.format) / 8);
}

HRESULT TextureLevels::markLocked(UINT level, const RECT* rect, DWORD flags, RECT& area) {
    if (!validLevel(level) || locked(level)) return D3DERR_INVALIDCALL;
    if (!resolveLockRect(rect, levelSide(shape_.width, level), levelSide(shape_.height, level),
                         area))
        return D3DERR_INVALIDCALL;
    lockFlags_[level] = flags | LOCKED_BIT;
    return D3D_OK;
}

HRESULT TextureLevels::lock(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (locked == nullptr || !inMemory()) return D3DERR_INVALIDCALL;
    RECT area;
    const HRESULT marked = markLocked(level, rect, flags, area);
    if (FAILED(marked)) return marked;
    const UINT bytesPerPixel = bitsPerPixel(shape_.format) / 8;
    locked->Pitch = INT(pitch(level));
    locked->pBits = bytes(level) + std::size_t(area.top) * pitch(level) +
                    std::size_t(area.left) * bytesPerPixel;
    return D3D_OK;
}

HRESULT TextureLevels::unlock(UINT level, bool& written) {
    if (!locked(level)) return D3DERR_INVALIDCALL;
    written = (lockFlags_[level] & D3DLOCK_READONLY) == 0;
    lockFlags_[level] = 0;
    return D3D_OK;
}
