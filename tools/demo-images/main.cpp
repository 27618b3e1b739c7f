// tessal-demo-images: draws the sample production's textures and writes
// them in the four formats the player reads (JPEG, PNG, TGA, BMP).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "drawings.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "usage: tessal-demo-images OUTDIR\n"
                     "Writes backdrop.jpg, emblem.png, star.tga, stripes.bmp,\n"
                     "stripes_mask.bmp, sky.jpg, glass.png (the sample production's\n"
                     "textures) and setup.png (its setup dialog's title card) into OUTDIR.\n");
        return argc == 2 ? 0 : 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const auto path = [&dir](const char* name) { return (dir / name).string(); };
    const bool written = writeJpegFile(path("backdrop.jpg"), backdrop(256), 85) &&
                         writePngFile(path("emblem.png"), emblem(256, 128)) &&
                         writeTgaFile(path("star.tga"), star(128)) &&
                         writeBmpFile(path("stripes.bmp"), stripes(128)) &&
                         writeBmpFile(path("stripes_mask.bmp"), radialMask(64)) &&
                         writeJpegFile(path("sky.jpg"), sky(256), 90) &&
                         writePngFile(path("glass.png"), glass(128)) &&
                         writePngFile(path("setup.png"), titleCard(400, 300));
    return written ? 0 : 1;
}
