// Image decoding: each format's decoder on a 512 x 512 picture, as a
// multiple of copying the same raw pixels (counter x_memcpy) measured in the
// same run, and as raw pixel bytes per second. Image layers are measured by
// frame.cpp (the engine alone) and image_layers.cpp (the OpenGL backend
// against plain OpenGL).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "d3dx/decoded_image.h"
#include "drawings.h"
#include "image_writers.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned SIDE = 512;

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The test picture in every format, written once by the demo's writers.
const std::map<std::string, std::vector<std::uint8_t>>& encodedPictures() {
    static const std::map<std::string, std::vector<std::uint8_t>> pictures = [] {
        const fs::path dir = fs::temp_directory_path() / "tessal-bench-images";
        fs::create_directories(dir);
        const Picture picture = backdrop(SIDE);
        writeJpegFile((dir / "p.jpg").string(), picture, 85);
        writePngFile((dir / "p.png").string(), picture);
        writeBmpFile((dir / "p.bmp").string(), picture);
        writeTgaFile((dir / "p.tga").string(), picture);
        std::map<std::string, std::vector<std::uint8_t>> bytes;
        for (const char* format : {"jpg", "png", "bmp", "tga"})
            bytes[format] = readBytes(dir / (std::string("p.") + format));
        fs::remove_all(dir);
        return bytes;
    }();
    return pictures;
}

double memcpySeconds(std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    const int rounds = 200;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / rounds;
}

void BM_Decode(benchmark::State& state, const char* format) {
    const std::vector<std::uint8_t>& bytes = encodedPictures().at(format);
    const std::size_t raw = std::size_t(SIDE) * SIDE * 4;
    const double reference = memcpySeconds(raw);
    DecodedImage image;
    const auto start = Clock::now();
    for (auto _ : state) {
        if (!decodeImage(bytes, ImageLimits{}, image)) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    const double perDecode =
        std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(raw));
    state.counters["file_KiB"] = double(bytes.size()) / 1024;
    state.counters["x_memcpy"] = perDecode / reference;
}
BENCHMARK_CAPTURE(BM_Decode, jpeg, "jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, tga, "tga")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
