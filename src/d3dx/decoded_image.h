// An image as the decoders deliver it, and the decoders themselves. Every
// decoder takes the file's bytes, refuses images wider or taller than the
// limits before allocating anything for them, and never reads past its
// input.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "d3dx/d3dx_texture.h"

struct ImageLimits {
    UINT maxWidth = 4096;
    UINT maxHeight = 4096;

    bool allow(std::uint64_t width, std::uint64_t height) const {
        return width > 0 && height > 0 && width <= maxWidth && height <= maxHeight;
    }
};

struct DecodedImage {
    UINT width = 0;
    UINT height = 0;
    // A8R8G8B8, rows top first, no padding.
    std::vector<DWORD> pixels;
    // The format the file stores its pixels in (P8 for palettes, L8 for grey,
    // R8G8B8 for 24-bit colour, ...), as the source information reports it.
    D3DFORMAT sourceFormat = D3DFMT_UNKNOWN;
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;

    // Sizes the pixel array (opaque black); the limits have been checked.
    void allocate(UINT w, UINT h) {
        width = w;
        height = h;
        pixels.assign(std::size_t(w) * h, 0xff000000u);
    }
};

using ImageBytes = std::span<const std::uint8_t>;

bool decodePng(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image);
bool decodeJpeg(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image);
bool decodeBmp(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image);
bool decodeTga(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image);

// Picks the decoder by the file's signature (PNG, JPEG, BMP; TGA has none
// and is tried last). False when no decoder reads the bytes.
bool decodeImage(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image);
