#include "decode_fixtures.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace {

constexpr unsigned W = 4;
constexpr unsigned H = 3;

std::vector<DWORD> picture(bool opaque) {
    std::vector<DWORD> pixels;
    for (unsigned y = 0; y < H; ++y)
        for (unsigned x = 0; x < W; ++x)
            pixels.push_back(opaque ? testPixel(x, y) | 0xff000000u : testPixel(x, y));
    return pixels;
}

unsigned red(DWORD p) {
    return (p >> 16) & 0xff;
}
unsigned green(DWORD p) {
    return (p >> 8) & 0xff;
}
unsigned blue(DWORD p) {
    return p & 0xff;
}
unsigned alpha(DWORD p) {
    return p >> 24;
}

void pngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

}  // namespace

DWORD testPixel(unsigned x, unsigned y) {
    return DWORD(40 + 60 * y) << 24 | DWORD(30 + 70 * x) << 16 | DWORD(20 + 90 * y) << 8 |
           DWORD(200 - 30 * x - 10 * y);
}

void put16(Bytes& out, unsigned value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

Bytes encodePng(unsigned width, unsigned height, int colourType, int bitDepth,
                const std::vector<Bytes>& rows, const Bytes& paletteRgb, const Bytes& transparency,
                bool interlaced) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png encoding failed");
    png_set_write_fn(png, &out, pngWrite, pngFlush);
    png_set_IHDR(png, info, width, height, bitDepth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!paletteRgb.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(paletteRgb.data()),
                     int(paletteRgb.size() / 3));
    if (!transparency.empty()) {
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, transparency.data(), int(transparency.size()), nullptr);
        } else {
            png_color_16 grey{};
            grey.gray = transparency[0];
            png_set_tRNS(png, info, nullptr, 0, &grey);
        }
    }
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (const Bytes& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes encodeJpeg(unsigned width, unsigned height, JpegKind kind, const std::vector<DWORD>& pixels) {
    const bool grey = kind == JpegKind::Grey;
    const bool cmyk = kind == JpegKind::Cmyk;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = grey ? 1 : cmyk ? 4 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;  // no chroma subsampling
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(width * 4);
    while (info.next_scanline < height) {
        for (unsigned x = 0; x < width; ++x) {
            const DWORD p = pixels[info.next_scanline * width + x];
            if (grey) {
                row[x] = JSAMPLE(red(p));
            } else if (cmyk) {  // inverted inks with no black: the colour itself
                row[4 * x] = JSAMPLE(red(p));
                row[4 * x + 1] = JSAMPLE(green(p));
                row[4 * x + 2] = JSAMPLE(blue(p));
                row[4 * x + 3] = 255;
            } else {
                row[3 * x] = JSAMPLE(red(p));
                row[3 * x + 1] = JSAMPLE(green(p));
                row[3 * x + 2] = JSAMPLE(blue(p));
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<Fixture> pngFixtures() {
    std::vector<Fixture> fixtures;
    const std::vector<DWORD> rgba = picture(false);
    const std::vector<DWORD> rgb = picture(true);
    std::vector<Bytes> rows8(H), rows16(H), rowsRgb(H), rowsGrey(H), rowsGreyAlpha(H), rowsIndex(H);
    Bytes palette, paletteAlpha;
    for (unsigned y = 0; y < H; ++y)
        for (unsigned x = 0; x < W; ++x) {
            const DWORD p = rgba[y * W + x];
            for (unsigned c : {red(p), green(p), blue(p), alpha(p)}) {
                rows8[y].push_back(std::uint8_t(c));
                rows16[y].push_back(std::uint8_t(c));
                rows16[y].push_back(std::uint8_t(c));  // c * 257: exact after scaling to 8 bits
            }
            for (unsigned c : {red(p), green(p), blue(p)}) rowsRgb[y].push_back(std::uint8_t(c));
            rowsGrey[y].push_back(std::uint8_t(red(p)));
            rowsGreyAlpha[y].push_back(std::uint8_t(red(p)));
            rowsGreyAlpha[y].push_back(std::uint8_t(alpha(p)));
            rowsIndex[y].push_back(std::uint8_t(y * W + x));
            for (unsigned c : {red(p), green(p), blue(p)}) palette.push_back(std::uint8_t(c));
            paletteAlpha.push_back(std::uint8_t(alpha(p)));
        }
    std::vector<DWORD> grey, greyAlpha, greyKeyed;
    for (DWORD p : rgba) {
        grey.push_back(0xff000000u | red(p) * 0x010101u);
        greyAlpha.push_back(alpha(p) << 24 | red(p) * 0x010101u);
        greyKeyed.push_back((red(p) == 30 ? 0u : 0xff000000u) | red(p) * 0x010101u);
    }
    fixtures.push_back({"png rgba", encodePng(W, H, PNG_COLOR_TYPE_RGBA, 8, rows8), W, H, rgba});
    fixtures.push_back(
        {"png rgba 16-bit", encodePng(W, H, PNG_COLOR_TYPE_RGBA, 16, rows16), W, H, rgba});
    fixtures.push_back({"png rgb", encodePng(W, H, PNG_COLOR_TYPE_RGB, 8, rowsRgb), W, H, rgb});
    fixtures.push_back({"png rgb interlaced",
                        encodePng(W, H, PNG_COLOR_TYPE_RGB, 8, rowsRgb, {}, {}, true), W, H, rgb});
    fixtures.push_back({"png grey", encodePng(W, H, PNG_COLOR_TYPE_GRAY, 8, rowsGrey), W, H, grey});
    fixtures.push_back({"png grey keyed by tRNS",
                        encodePng(W, H, PNG_COLOR_TYPE_GRAY, 8, rowsGrey, {}, {30}), W, H,
                        greyKeyed});
    fixtures.push_back({"png grey alpha",
                        encodePng(W, H, PNG_COLOR_TYPE_GRAY_ALPHA, 8, rowsGreyAlpha), W, H,
                        greyAlpha});
    fixtures.push_back(
        {"png palette", encodePng(W, H, PNG_COLOR_TYPE_PALETTE, 8, rowsIndex, palette), W, H, rgb});
    fixtures.push_back(
        {"png palette with alpha",
         encodePng(W, H, PNG_COLOR_TYPE_PALETTE, 8, rowsIndex, palette, paletteAlpha), W, H, rgba});
    // Two-colour palette at 1 bit per pixel: a checkerboard.
    std::vector<Bytes> bits(H);
    std::vector<DWORD> checker;
    for (unsigned y = 0; y < H; ++y) {
        bits[y].push_back(std::uint8_t(y % 2 ? 0xa0 : 0x50));  // 0101 or 1010, left bit first
        for (unsigned x = 0; x < W; ++x) checker.push_back((x + y) % 2 ? 0xff0000ffu : 0xffff0000u);
    }
    fixtures.push_back({"png 1-bit palette",
                        encodePng(W, H, PNG_COLOR_TYPE_PALETTE, 1, bits, {255, 0, 0, 0, 0, 255}), W,
                        H, checker});
    return fixtures;
}

std::vector<Fixture> jpegFixtures() {
    const std::vector<DWORD> rgb = picture(true);
    std::vector<DWORD> grey;
    for (DWORD p : rgb) grey.push_back(0xff000000u | red(p) * 0x010101u);
    // Tiny pictures of sharp colour steps survive quality 100 only roughly.
    return {{"jpeg rgb", encodeJpeg(W, H, JpegKind::Colour, rgb), W, H, rgb, 24},
            {"jpeg progressive", encodeJpeg(W, H, JpegKind::Progressive, rgb), W, H, rgb, 24},
            {"jpeg cmyk", encodeJpeg(W, H, JpegKind::Cmyk, rgb), W, H, rgb, 24},
            {"jpeg grey", encodeJpeg(W, H, JpegKind::Grey, rgb), W, H, grey, 4}};
}

Bytes bmpFile(const Bytes& info, const Bytes& pixels) {
    Bytes out{'B', 'M'};
    put32(out, std::uint32_t(14 + info.size() + pixels.size()));
    put32(out, 0);
    put32(out, std::uint32_t(14 + info.size()));
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

Bytes bmpInfoHeader(int width, int height, unsigned bitCount, unsigned compression,
                    unsigned coloursUsed) {
    Bytes out;
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, bitCount);
    put32(out, compression);
    put32(out, 0);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, coloursUsed);
    put32(out, 0);
    return out;
}

namespace {

// Rows bottom-up (or top-down), each padded to 4 bytes, from a pixel writer.
template <class WritePixel>
Bytes bmpRows(bool topDown, WritePixel write) {
    Bytes out;
    for (unsigned i = 0; i < H; ++i) {
        const unsigned y = topDown ? i : H - 1 - i;
        const std::size_t start = out.size();
        for (unsigned x = 0; x < W; ++x) write(out, x, y);
        while ((out.size() - start) % 4) out.push_back(0);
    }
    return out;
}

// Palette entry i is the picture's pixel i, opaque.
Bytes picturePalette(std::vector<DWORD>& colours) {
    Bytes palette;
    for (unsigned i = 0; i < W * H; ++i) {
        const DWORD p = testPixel(i % W, i / W);
        palette.insert(palette.end(),
                       {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p)), 0});
        colours.push_back(p | 0xff000000u);
    }
    return palette;
}

Bytes withPalette(Bytes info, const Bytes& palette) {
    info.insert(info.end(), palette.begin(), palette.end());
    return info;
}

std::vector<Fixture> bmpPaletteFixtures() {
    std::vector<DWORD> p;
    const Bytes palette = picturePalette(p);
    std::vector<Fixture> fixtures;
    fixtures.push_back(
        {"bmp 8-bit",
         bmpFile(withPalette(bmpInfoHeader(W, H, 8, 0, W * H), palette),
                 bmpRows(false, [](Bytes& o, unsigned x,
                                   unsigned y) { o.push_back(std::uint8_t(y * W + x)); })),
         W, H, p});
    const Bytes rows4 = bmpRows(false, [](Bytes& o, unsigned x, unsigned y) {
        if (x % 2 == 0) o.push_back(std::uint8_t((y * W + x) << 4 | (y * W + x + 1)));
    });
    fixtures.push_back({"bmp 4-bit",
                        bmpFile(withPalette(bmpInfoHeader(W, H, 4, 0, W * H), palette), rows4), W,
                        H, p});
    // 1 bit: two colours in a checkerboard, leftmost pixel in the top bit.
    const Bytes rows1 = bmpRows(false, [](Bytes& o, unsigned x, unsigned y) {
        if (x == 0) o.push_back(y % 2 ? 0x50 : 0xa0);
    });
    std::vector<DWORD> checker;
    for (unsigned i = 0; i < W * H; ++i) checker.push_back((i % W + i / W) % 2 ? p[0] : p[1]);
    fixtures.push_back({"bmp 1-bit",
                        bmpFile(withPalette(bmpInfoHeader(W, H, 1, 0, 2),
                                            Bytes(palette.begin(), palette.begin() + 8)),
                                rows1),
                        W, H, checker});
    // RLE8, bottom row first: two runs, end of line, a jump over the middle
    // row (left opaque black), an absolute block, end of bitmap.
    const Bytes rle8 = {2, 1, 2, 5, 0, 0, 0, 2, 0, 1, 0, 4, 8, 9, 10, 11, 0, 1};
    fixtures.push_back({"bmp rle8",
                        bmpFile(withPalette(bmpInfoHeader(W, H, 8, 1, W * H), palette), rle8),
                        W,
                        H,
                        {p[8], p[9], p[10], p[11], 0xff000000u, 0xff000000u, 0xff000000u,
                         0xff000000u, p[1], p[1], p[5], p[5]}});
    // RLE4: a run of alternating indices, an absolute block, a short run and
    // the end of the bitmap before the row is full.
    const Bytes rle4 = {4, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 0, 3, 0x77, 0, 1};
    fixtures.push_back(
        {"bmp rle4",
         bmpFile(withPalette(bmpInfoHeader(W, H, 4, 2, 16),
                             Bytes(palette.begin(), palette.begin() + 64)),
                 rle4),
         W,
         H,
         {p[7], p[7], p[7], 0xff000000u, p[3], p[4], p[5], p[6], p[1], p[2], p[1], p[2]}});
    return fixtures;
}

Bytes bgr(DWORD p) {
    return {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p))};
}

std::vector<Fixture> bmpColourFixtures() {
    std::vector<Fixture> fixtures;
    const std::vector<DWORD> rgb = picture(true);
    const std::vector<DWORD> rgba = picture(false);
    fixtures.push_back(
        {"bmp 24-bit",
         bmpFile(bmpInfoHeader(W, H, 24, 0), bmpRows(false,
                                                     [](Bytes& o, unsigned x, unsigned y) {
                                                         const Bytes b = bgr(testPixel(x, y));
                                                         o.insert(o.end(), b.begin(), b.end());
                                                     })),
         W, H, rgb});
    // 32 bits without bit fields: the fourth byte is unused, pixels opaque.
    fixtures.push_back({"bmp 32-bit top-down",
                        bmpFile(bmpInfoHeader(W, -int(H), 32, 0),
                                bmpRows(true,
                                        [](Bytes& o, unsigned x, unsigned y) {
                                            const Bytes b = bgr(testPixel(x, y));
                                            o.insert(o.end(), b.begin(), b.end());
                                            o.push_back(0);
                                        })),
                        W, H, rgb});
    // A version-5 header whose bit fields carry alpha.
    Bytes v5;
    put32(v5, 124);
    put32(v5, W);
    put32(v5, H);
    put16(v5, 1);
    put16(v5, 32);
    put32(v5, 3);
    for (int i = 0; i < 5; ++i) put32(v5, 0);
    for (std::uint32_t mask : {0x00ff0000u, 0x0000ff00u, 0x000000ffu, 0xff000000u}) put32(v5, mask);
    v5.resize(124, 0);
    fixtures.push_back({"bmp 32-bit alpha fields",
                        bmpFile(v5, bmpRows(false, [&](Bytes& o, unsigned x,
                                                       unsigned y) { put32(o, testPixel(x, y)); })),
                        W, H, rgba});
    // 16 bits: the default 5-5-5, and 5-6-5 bit fields.
    Bytes f565 = bmpInfoHeader(2, 1, 16, 3);
    for (std::uint32_t mask : {0xf800u, 0x07e0u, 0x001fu}) put32(f565, mask);
    Bytes px565;
    put16(px565, 0xf800);
    put16(px565, 0x07e0 | 0x0010);
    fixtures.push_back(
        {"bmp 16-bit 565 fields", bmpFile(f565, px565), 2, 1, {0xffff0000u, 0xff00ff84u}});
    Bytes px555;
    put16(px555, 0x7c00);
    put16(px555, 0x0010);
    fixtures.push_back({"bmp 16-bit 555",
                        bmpFile(bmpInfoHeader(2, 1, 16, 0), px555),
                        2,
                        1,
                        {0xffff0000u, 0xff000084u}});
    // OS/2's 12-byte header with 24 bits per pixel.
    Bytes core;
    put32(core, 12);
    put16(core, 2);
    put16(core, 1);
    put16(core, 1);
    put16(core, 24);
    fixtures.push_back({"bmp os/2 24-bit",
                        bmpFile(core, {0, 0, 255, 255, 0, 0, 0, 0}),
                        2,
                        1,
                        {0xffff0000u, 0xff0000ffu}});
    return fixtures;
}

}  // namespace

std::vector<Fixture> bmpFixtures() {
    std::vector<Fixture> fixtures = bmpPaletteFixtures();
    for (Fixture& fixture : bmpColourFixtures()) fixtures.push_back(std::move(fixture));
    return fixtures;
}

Bytes tgaHeader(unsigned imageType, unsigned width, unsigned height, unsigned pixelBits,
                unsigned descriptor, unsigned mapLength, unsigned mapBits) {
    Bytes out{0, std::uint8_t(mapLength ? 1 : 0), std::uint8_t(imageType)};
    put16(out, 0);
    put16(out, mapLength);
    out.push_back(std::uint8_t(mapBits));
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    out.push_back(std::uint8_t(pixelBits));
    out.push_back(std::uint8_t(descriptor));
    return out;
}

std::vector<Fixture> tgaFixtures() {
    std::vector<Fixture> fixtures;
    const std::vector<DWORD> rgba = picture(false);
    const std::vector<DWORD> rgb = picture(true);
    // 32-bit, top-left origin, 8 alpha bits.
    Bytes t32 = tgaHeader(2, W, H, 32, 0x28);
    for (DWORD p : rgba)
        t32.insert(t32.end(), {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p)),
                               std::uint8_t(alpha(p))});
    fixtures.push_back({"tga 32-bit top-down", t32, W, H, rgba});
    // 24-bit, bottom-left origin: rows stored bottom first.
    Bytes t24 = tgaHeader(2, W, H, 24, 0);
    for (unsigned i = 0; i < H; ++i)
        for (unsigned x = 0; x < W; ++x) {
            const DWORD p = rgb[(H - 1 - i) * W + x];
            t24.insert(t24.end(),
                       {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p))});
        }
    fixtures.push_back({"tga 24-bit bottom-up", t24, W, H, rgb});
    // Grey, run-length: one run packet of 12 pixels crossing every row.
    Bytes grey = tgaHeader(11, W, H, 8, 0x20);
    grey.insert(grey.end(), {0x80 | 11, 77});
    fixtures.push_back({"tga grey rle", grey, W, H, std::vector<DWORD>(W * H, 0xff4d4d4du)});
    // True colour RLE: per row a raw packet of two pixels and a run of two.
    Bytes rle = tgaHeader(10, W, H, 24, 0x20);
    std::vector<DWORD> rleExpected;
    for (unsigned y = 0; y < H; ++y) {
        rle.push_back(1);
        for (unsigned x = 0; x < 2; ++x) {
            const DWORD p = rgb[y * W + x];
            rle.insert(rle.end(),
                       {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p))});
            rleExpected.push_back(p);
        }
        const DWORD p = rgb[y * W + 2];
        rle.insert(rle.end(),
                   {0x81, std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p))});
        rleExpected.insert(rleExpected.end(), {p, p});
    }
    fixtures.push_back({"tga rle 24-bit", rle, W, H, rleExpected});
    // Colour-mapped with a 24-bit map, right-to-left rows.
    Bytes mapped = tgaHeader(1, W, H, 8, 0x30, W * H, 24);
    for (DWORD p : rgb)
        mapped.insert(mapped.end(),
                      {std::uint8_t(blue(p)), std::uint8_t(green(p)), std::uint8_t(red(p))});
    for (unsigned y = 0; y < H; ++y)
        for (unsigned x = 0; x < W; ++x) mapped.push_back(std::uint8_t(y * W + (W - 1 - x)));
    fixtures.push_back({"tga mapped right-to-left", mapped, W, H, rgb});
    // 16-bit with one alpha bit: 5 bits per colour widen by repeating the top bits.
    Bytes t16 = tgaHeader(2, 2, 1, 16, 0x21);
    put16(t16, 0x8000 | 31 << 10);  // opaque red
    put16(t16, 0x001f);             // transparent blue
    fixtures.push_back({"tga 16-bit", t16, 2, 1, {0xffff0000u, 0x000000ffu}});
    return fixtures;
}
