#include "image_writers.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <jpeglib.h>

namespace {

unsigned channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xff;
}

bool saveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (file) return true;
    std::fprintf(stderr, "tessal-demo-images: cannot write %s\n", path.c_str());
    return false;
}

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

// One run-length packet of up to 128 equal pixels, or of pixels that differ.
std::size_t tgaPacket(const Picture& p, std::size_t at, std::vector<std::uint8_t>& out) {
    const std::size_t end = p.pixels.size();
    std::size_t run = 1;
    while (at + run < end && run < 128 && p.pixels[at + run] == p.pixels[at]) ++run;
    if (run == 1) {
        while (at + run < end && run < 128 &&
               (at + run + 1 >= end || p.pixels[at + run] != p.pixels[at + run + 1]))
            ++run;
        out.push_back(std::uint8_t(run - 1));
        for (std::size_t i = 0; i < run; ++i) put(out, p.pixels[at + i], 4);
    } else {
        out.push_back(std::uint8_t(0x80 | (run - 1)));
        put(out, p.pixels[at], 4);
    }
    return run;
}

}  // namespace

bool writePngFile(const std::string& path, const Picture& picture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "tessal-demo-images: cannot write %s\n", path.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(picture.width * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (unsigned y = 0; y < picture.height; ++y) {
        for (unsigned x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.pixels[y * picture.width + x];
            for (int c = 0; c < 4; ++c)
                row[x * 4 + c] = std::uint8_t(channel(p, c < 3 ? 16 - 8 * c : 24));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

bool writeJpegFile(const std::string& path, const Picture& picture, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = picture.width;
    info.image_height = picture.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(picture.width * 3);
    while (info.next_scanline < picture.height) {
        for (unsigned x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.pixels[info.next_scanline * picture.width + x];
            for (int c = 0; c < 3; ++c) row[x * 3 + c] = JSAMPLE(channel(p, 16 - 8 * c));
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const bool saved = saveBytes(path, std::vector<std::uint8_t>(buffer, buffer + size));
    std::free(buffer);
    return saved;
}

// Type 10 (run-length true colour), 8 alpha bits, top-left origin.
bool writeTgaFile(const std::string& path, const Picture& picture) {
    std::vector<std::uint8_t> out{0, 0, 10};
    put(out, 0, 4);
    out.push_back(0);
    put(out, 0, 4);
    put(out, picture.width, 2);
    put(out, picture.height, 2);
    out.push_back(32);
    out.push_back(0x28);
    for (std::size_t at = 0; at < picture.pixels.size();) at += tgaPacket(picture, at, out);
    return saveBytes(path, out);
}

bool writeBmpFile(const std::string& path, const Picture& picture) {
    const unsigned stride = (picture.width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> out{'B', 'M'};
    put(out, 54 + stride * picture.height, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, picture.width, 4);
    put(out, picture.height, 4);
    put(out, 1, 2);
    put(out, 24, 2);
    for (int i = 0; i < 6; ++i) put(out, 0, 4);
    for (unsigned row = 0; row < picture.height; ++row) {
        const unsigned y = picture.height - 1 - row;
        for (unsigned x = 0; x < picture.width; ++x)
            put(out, picture.pixels[y * picture.width + x], 3);
        out.resize(out.size() + stride - picture.width * 3, 0);
    }
    return saveBytes(path, out);
}
