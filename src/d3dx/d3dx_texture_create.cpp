// The three texture creators: from image bytes, from an image file, empty.
#include <cstdio>
#include <vector>

#include "d3dx/d3dx_texture.h"
#include "d3dx/decoded_image.h"
#include "d3dx/texture_fill.h"
#include "platform/d3d8/texture_levels.h"
#include "platform/files/regular_file.h"

namespace {

// Larger files are refused before reading: no texture image comes near it.
constexpr std::uint64_t MAX_IMAGE_FILE_BYTES = 256L * 1024 * 1024;

UINT sizeOrDefault(UINT requested, UINT fallback) {
    return requested == D3DX_DEFAULT || requested == 0 ? fallback : requested;
}

UINT levelsFor(UINT mipLevels, UINT width, UINT height) {
    const UINT full = fullLevelCount(width, height);
    if (mipLevels == D3DX_DEFAULT || mipLevels == 0) return full;
    return mipLevels < full ? mipLevels : full;
}

D3DFORMAT formatOrDefault(D3DFORMAT format) {
    return format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : format;
}

ImageLimits deviceLimits(IDirect3DDevice8* device) {
    D3DCAPS8 caps{};
    if (FAILED(device->GetDeviceCaps(&caps))) return {};
    return {caps.MaxTextureWidth, caps.MaxTextureHeight};
}

D3DXIMAGE_INFO sourceInfo(const DecodedImage& image) {
    return {image.width,      image.height,    1, 1, image.sourceFormat,
            D3DRTYPE_TEXTURE, image.fileFormat};
}

void applyColourKey(std::vector<DWORD>& pixels, D3DCOLOR colorKey) {
    if (colorKey == 0) return;
    for (DWORD& pixel : pixels)
        if (pixel == colorKey) pixel = 0;
}

// Only a regular file is read (a FIFO is never waited on).
bool readFile(const char* path, std::vector<std::uint8_t>& bytes) {
    auto read = readRegularFile(path, MAX_IMAGE_FILE_BYTES);
    if (read) bytes = std::move(*read);
    return read.has_value();
}

// The file's bytes live only while they are decoded.
HRESULT decodeFile(const char* path, const ImageLimits& limits, DecodedImage& image) {
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, bytes)) return D3DERR_NOTFOUND;
    if (bytes.empty() || !decodeImage(bytes, limits, image)) return D3DXERR_INVALIDDATA;
    return D3D_OK;
}

// What the texture creators are asked for, after the source.
struct TextureRequest {
    UINT width, height, mipLevels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    DWORD filter, mipFilter;
    D3DCOLOR colorKey;
};

// The texture made from a decoded image. The image is keyed in place and
// read row by row into the levels; no other copy of it is made.
HRESULT textureFromImage(IDirect3DDevice8* device, DecodedImage& image,
                         const TextureRequest& request, D3DXIMAGE_INFO* srcInfo,
                         IDirect3DTexture8** texture) {
    if (srcInfo) *srcInfo = sourceInfo(image);
    const UINT width = sizeOrDefault(request.width, image.width);
    const UINT height = sizeOrDefault(request.height, image.height);
    const HRESULT created = device->CreateTexture(
        width, height, levelsFor(request.mipLevels, width, height), request.usage,
        formatOrDefault(request.format), request.pool, texture);
    if (FAILED(created)) return created;
    applyColourKey(image.pixels, request.colorKey);
    const HRESULT filled =
        fillTextureLevels(*texture, {image.pixels.data(), image.width, image.height},
                          resampleFilter(request.filter, ResampleFilter::Triangle),
                          resampleFilter(request.mipFilter, ResampleFilter::Box));
    if (SUCCEEDED(filled)) return D3D_OK;
    (*texture)->Release();
    *texture = nullptr;
    return filled;
}

}  // namespace

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* device, const void* data, UINT size,
                                            UINT width, UINT height, UINT mipLevels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey,
                                            D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                            IDirect3DTexture8** texture) {
    if (device == nullptr || data == nullptr || size == 0 || texture == nullptr)
        return D3DERR_INVALIDCALL;
    *texture = nullptr;
    DecodedImage image;
    const ImageBytes bytes(static_cast<const std::uint8_t*>(data), size);
    if (!decodeImage(bytes, deviceLimits(device), image)) return D3DXERR_INVALIDDATA;
    return textureFromImage(
        device, image, {width, height, mipLevels, usage, format, pool, filter, mipFilter, colorKey},
        srcInfo, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* path, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture8** texture) {
    if (device == nullptr || path == nullptr || texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    DecodedImage image;
    const HRESULT decoded = decodeFile(path, deviceLimits(device), image);
    if (FAILED(decoded)) return decoded;
    return textureFromImage(
        device, image, {width, height, mipLevels, usage, format, pool, filter, mipFilter, colorKey},
        srcInfo, texture);
}

HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) {
    if (device == nullptr || texture == nullptr) return D3DERR_INVALIDCALL;
    const UINT w = sizeOrDefault(width, 256);
    const UINT h = sizeOrDefault(height, 256);
    return device->CreateTexture(w, h, levelsFor(mipLevels, w, h), usage, formatOrDefault(format),
                                 pool, texture);
}
