// The mip levels of a texture as both backends keep them: sizes, the lock
// bookkeeping and, where a backend wants them, the bytes of each level in
// memory, with the creation checks Direct3D makes.
#pragma once

#include <vector>

#include "platform/d3d8/d3d8types.h"

// What a texture is created with, after the level count is resolved.
struct TextureShape {
    UINT width = 0;
    UINT height = 0;
    UINT levels = 0;
    DWORD usage = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    D3DPOOL pool = D3DPOOL_DEFAULT;
};

// Levels of a full chain: down to 1 x 1.
UINT fullLevelCount(UINT width, UINT height);
// One side of level `level`: halved per level, never below 1.
UINT levelSide(UINT side, UINT level);

// Checks CreateTexture's arguments against what the layer can make: a size
// within maxSide, a format the backend stores, render targets only in the
// default pool, no more levels than the full chain. Fills `shape` (levels 0
// becomes the full chain). D3DERR_INVALIDCALL otherwise.
HRESULT checkTextureCreation(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                             D3DPOOL pool, UINT maxSide, TextureShape& shape);

// Formats both backends store as textures: uncompressed, whole bytes per pixel.
bool isStoredTextureFormat(D3DFORMAT format);

class TextureLevels {
  public:
    // `inMemory` false: levels live only in the backend; they have
    // descriptions and locks but no bytes here.
    TextureLevels(const TextureShape& shape, bool inMemory);

    const TextureShape& shape() const { return shape_; }
    UINT count() const { return shape_.levels; }
    bool validLevel(UINT level) const { return level < shape_.levels; }
    D3DSURFACE_DESC desc(UINT level) const;
    UINT pitch(UINT level) const;
    // The bytes of a level in memory, rows top first, `pitch` bytes apart.
    BYTE* bytes(UINT level) { return levels_[level].data(); }
    const BYTE* bytes(UINT level) const { return levels_[level].data(); }
    bool inMemory() const { return !levels_.empty(); }

    // Marks the level locked and hands out the area's first byte. Invalid for
    // a level out of range, one already locked, a bad rectangle or a level
    // without bytes in memory.
    HRESULT lock(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags);
    // The bookkeeping of a lock alone, for levels whose bytes live elsewhere:
    // marks the level locked and gives the area `rect` resolves to. Invalid
    // for a level out of range, one already locked or a bad rectangle.
    HRESULT markLocked(UINT level, const RECT* rect, DWORD flags, RECT& area);
    // Invalid unless the level is locked. `written` tells whether the lock
    // could have changed the bytes (not read-only).
    HRESULT unlock(UINT level, bool& written);
    bool locked(UINT level) const { return level < lockFlags_.size() && lockFlags_[level] != 0; }

  private:
    TextureShape shape_;
    std::vector<std::vector<BYTE>> levels_;
    // Per level: 0 when unlocked, else the lock flags with bit 31 set.
    std::vector<DWORD> lockFlags_;
};
