// Small images in every variant the decoders read, made here byte by byte
// (BMP, TGA) or with the reference libraries (PNG, JPEG), each with the
// pixels it should decode to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8types.h"

using Bytes = std::vector<std::uint8_t>;

struct Fixture {
    std::string name;
    Bytes bytes;
    unsigned width = 0;
    unsigned height = 0;
    std::vector<DWORD> expected;  // A8R8G8B8, rows top first
    int tolerance = 0;            // per channel (lossy formats)
};

// A 4 × 3 test picture with every pixel different: red grows to the right,
// green downwards, blue and alpha vary.
DWORD testPixel(unsigned x, unsigned y);

// PNG: colourType and bitDepth as libpng names them; palette images use a
// palette of the picture's colours, tRNS gives alpha to palette or grey.
Bytes encodePng(unsigned width, unsigned height, int colourType, int bitDepth,
                const std::vector<Bytes>& rows, const Bytes& paletteRgb = {},
                const Bytes& transparency = {}, bool interlaced = false);
// Colour, grey, CMYK (stored inverted, as Adobe does) or progressive colour.
enum class JpegKind { Colour, Grey, Cmyk, Progressive };
Bytes encodeJpeg(unsigned width, unsigned height, JpegKind kind, const std::vector<DWORD>& pixels);

// Every variant of every format, decodable.
std::vector<Fixture> pngFixtures();
std::vector<Fixture> jpegFixtures();
std::vector<Fixture> bmpFixtures();
std::vector<Fixture> tgaFixtures();

// Little-endian writing for hand-made headers.
void put16(Bytes& out, unsigned value);
void put32(Bytes& out, std::uint32_t value);

// A BMP file: the 14-byte file header in front of `info` (the info header,
// palette and masks) and `pixels`.
Bytes bmpFile(const Bytes& info, const Bytes& pixels);
// A 40-byte info header.
Bytes bmpInfoHeader(int width, int height, unsigned bitCount, unsigned compression,
                    unsigned coloursUsed = 0);
// An 18-byte TGA header.
Bytes tgaHeader(unsigned imageType, unsigned width, unsigned height, unsigned pixelBits,
                unsigned descriptor, unsigned mapLength = 0, unsigned mapBits = 0);
