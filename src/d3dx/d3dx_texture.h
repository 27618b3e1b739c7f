// Texture creation of the Direct3D extension utilities: textures from image
// files on disk or in memory (JPEG, PNG, BMP, TGA) and empty textures, with
// the published names, arguments and values.
#pragma once

#include "platform/d3d8/d3d8.h"

// "Use the default": the image's own size, a full mip chain, the default filter.
constexpr UINT D3DX_DEFAULT = 0xFFFFFFFF;

// Filters, in the low byte of a filter argument.
constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;

// The image data could not be read.
constexpr HRESULT D3DXERR_INVALIDDATA = MAKE_D3DHRESULT(2905);

enum D3DXIMAGE_FILEFORMAT : DWORD {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
};

// What the source image is: its own size and format, before any resizing.
struct D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};

// A texture from an image file. width and height D3DX_DEFAULT (or 0) take the
// image's size, otherwise the image is rescaled with `filter`; mipLevels
// D3DX_DEFAULT (or 0) makes a full chain, each level made from the one above
// with `mipFilter` (default: box). Formats A8R8G8B8, X8R8G8B8 and
// D3DFMT_UNKNOWN (A8R8G8B8). A non-zero colorKey turns pixels of exactly that
// ARGB value into transparent black. srcInfo, when given, receives the source
// image's description; palette is not used (no palettized formats are made).
// D3DXERR_INVALIDDATA when the bytes are no image the decoders read, or an
// image larger than the device's largest texture.
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* device, const void* data, UINT size,
                                            UINT width, UINT height, UINT mipLevels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey,
                                            D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                            IDirect3DTexture8** texture);

// The same from a file; D3DERR_NOTFOUND when the file cannot be read.
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* path, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture8** texture);

// An empty texture: sizes D3DX_DEFAULT (or 0) become 256, mipLevels
// D3DX_DEFAULT (or 0) a full chain, D3DFMT_UNKNOWN A8R8G8B8.
HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);
