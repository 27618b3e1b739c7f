// Image decoding and texture memory. Image layers are measured by frame.cpp
// (the engine alone) and image_layers.cpp (the OpenGL backend against plain
// OpenGL).
//
// BM_Decode: each format's decoder on a 512 x 512 picture, as a multiple of
// copying the same raw pixels (counter x_memcpy) measured in the same run,
// and as raw pixel bytes per second.
//
// BM_TexturePeak: the memory a 4096 x 4096 PNG (smooth bands, so the file is
// small) takes while it becomes a managed A8R8G8B8 texture with a full mip
// chain, as the texture store loads it, on the recording device and on
// OpenGL: the kernel's peak resident size, reset just before the load in a
// child process of its own, above what the child held before, as a multiple
// of the texture's levels in their format (85.3 MiB; counters x_final_*).
// The goal line takes the larger of the two.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "bench_goal.h"
#include "d3dx/d3dx_texture.h"
#include "d3dx/decoded_image.h"
#include "drawings.h"
#include "image_writers.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"

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

// A field of /proc/self/status (kB for sizes), or -1.
long long statusNumber(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return std::atoll(line.c_str() + prefix.size());
    return -1;
}

bool resetPeakResidentSize() {
    const int file = ::open("/proc/self/clear_refs", O_WRONLY);
    if (file < 0) return false;
    const bool reset = ::write(file, "5", 1) == 1;
    ::close(file);
    return reset;
}

// Smooth bands: every row differs, yet the file stays small.
Picture bands(unsigned side) {
    Picture picture{side, side, std::vector<std::uint32_t>(std::size_t(side) * side)};
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x)
            picture.pixels[std::size_t(y) * side + x] =
                0xff000000u | (x / 16) << 16 | (y / 16) % 256 << 8 | ((x + y) / 32) % 256;
    return picture;
}

IDirect3DTexture8* loadLikeTheStore(IDirect3DDevice8* device, const std::string& path) {
    IDirect3DTexture8* texture = nullptr;
    D3DXIMAGE_INFO info{};
    D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                 D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                 &info, nullptr, &texture);
    return texture;
}

struct LoadPeak {
    double peak = -1;   // bytes above the resident size before the load
    double final = -1;  // bytes of the texture's levels
};

// In the child: a warm-up load of `small`, then the measured load of `big`.
LoadPeak measureLoad(IDirect3D8* direct3d, const std::string& big, const std::string& small) {
    LoadPeak figures;
    D3DPRESENT_PARAMETERS params = windowedPresentParameters(64, 64, D3DFMT_UNKNOWN);
    IDirect3DDevice8* device = nullptr;
    if (direct3d == nullptr ||
        FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device)))
        return figures;
    if (IDirect3DTexture8* warmUp = loadLikeTheStore(device, small)) warmUp->Release();
    const long long before = resetPeakResidentSize() ? statusNumber("VmRSS") : -1;
    IDirect3DTexture8* texture = loadLikeTheStore(device, big);
    if (texture && before > 0) {
        figures.peak = double(statusNumber("VmHWM") - before) * 1024;
        figures.final = 0;
        for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
            D3DSURFACE_DESC desc{};
            texture->GetLevelDesc(level, &desc);
            figures.final += desc.Size;
        }
    }
    if (texture) texture->Release();
    device->Release();
    direct3d->Release();
    return figures;
}

// Runs measureLoad in a child process on the device `makeDirect3D` gives.
LoadPeak peakInChild(IDirect3D8* (*makeDirect3D)(), const std::string& big,
                     const std::string& small) {
    int channel[2];
    if (::pipe(channel) != 0) return {};
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // fixed: freed large blocks are unmapped
        const LoadPeak figures = measureLoad(makeDirect3D(), big, small);
        (void)!::write(channel[1], &figures, sizeof figures);
        ::_exit(0);
    }
    ::close(channel[1]);
    LoadPeak figures;
    if (child < 0 || ::read(channel[0], &figures, sizeof figures) != sizeof figures) figures = {};
    ::close(channel[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return figures;
}

IDirect3D8* recordingDirect3D() {
    static CallLog log;
    return createRecordingDirect3D(RecordingConfig{}, log);
}

IDirect3D8* openGlDirect3D() {
    return Direct3DCreate8(D3D_SDK_VERSION);
}

void BM_TexturePeak(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path();
    const std::string big = (dir / "tessal-bench-texture-peak.png").string();
    const std::string small = (dir / "tessal-bench-texture-peak-small.png").string();
    writePngFile(big, bands(4096));
    writePngFile(small, bands(64));
    // A child forked once GL's threads run could not make a device of its own.
    const bool openGl = statusNumber("Threads") == 1;
    LoadPeak recording, gl;
    for (auto _ : state) {
        recording = peakInChild(recordingDirect3D, big, small);
        if (openGl) gl = peakInChild(openGlDirect3D, big, small);
    }
    fs::remove(big);
    fs::remove(small);
    if (recording.final <= 0) {
        state.SkipWithError("not measured");
        return;
    }
    double worst = recording.peak / recording.final;
    state.counters["final_MiB"] = recording.final / (1 << 20);
    state.counters["peak_MiB_recording"] = recording.peak / (1 << 20);
    state.counters["x_final_recording"] = recording.peak / recording.final;
    if (gl.final > 0) {
        state.counters["peak_MiB_opengl"] = gl.peak / (1 << 20);
        state.counters["x_final_opengl"] = gl.peak / gl.final;
        worst = std::max(worst, gl.peak / gl.final);
    }
    reportGoal("texture_4096_peak_vs_final", withUnit(worst, "x"), "<2x", worst < 2);
}
BENCHMARK(BM_TexturePeak)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
