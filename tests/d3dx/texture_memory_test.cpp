// Memory taken while a 4096 x 4096 PNG becomes a managed texture with a full
// mip chain, as the texture store loads it: the peak resident size above what
// the process held before the load, against the size of the texture's levels
// in their format. Each load runs in a child process of its own, which resets
// the kernel's peak figure just before loading, so nothing else this binary
// did counts; large blocks go back to the system as soon as they are freed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <malloc.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "d3dx/d3dx_texture.h"
#include "decode_fixtures.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "support/sanitized_build.h"

namespace {

// Smooth bands: every row differs, yet the file stays small.
void writeBandsPng(const std::filesystem::path& path, unsigned side) {
    std::vector<Bytes> rows(side, Bytes(std::size_t(side) * 4, 255));
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x) {
            std::uint8_t* p = &rows[y][std::size_t(x) * 4];
            p[0] = std::uint8_t(x / 16);
            p[1] = std::uint8_t(y / 16);
            p[2] = std::uint8_t((x + y) / 32);
        }
    const Bytes png = encodePng(side, side, PNG_COLOR_TYPE_RGBA, 8, rows);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

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
    const bool reset = file >= 0 && ::write(file, "5", 1) == 1;
    if (file >= 0) ::close(file);
    return reset;
}

IDirect3DTexture8* loadLikeTheStore(IDirect3DDevice8* device, const std::string& path) {
    IDirect3DTexture8* texture = nullptr;
    D3DXIMAGE_INFO info{};
    D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                 D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                 &info, nullptr, &texture);
    return texture;
}

struct LoadFigures {
    bool device = false;
    bool measured = false;
    long long peak = 0;   // bytes above the resident size before the load
    long long final = 0;  // bytes of the texture's levels
};

// In the child: a warm-up load of a small image (the decoder's code and
// tables), then the measured load of the big one.
LoadFigures measureLoad(IDirect3D8* direct3d, const std::string& big, const std::string& small) {
    LoadFigures figures;
    D3DPRESENT_PARAMETERS params = windowedPresentParameters(64, 64, D3DFMT_UNKNOWN);
    IDirect3DDevice8* device = nullptr;
    if (direct3d == nullptr ||
        FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device)))
        return figures;
    figures.device = true;
    if (IDirect3DTexture8* warmUp = loadLikeTheStore(device, small)) warmUp->Release();
    const long long before = resetPeakResidentSize() ? statusNumber("VmRSS") : -1;
    if (IDirect3DTexture8* texture = loadLikeTheStore(device, big)) {
        figures.measured = before > 0;
        figures.peak = (statusNumber("VmHWM") - before) * 1024;
        for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
            D3DSURFACE_DESC desc{};
            texture->GetLevelDesc(level, &desc);
            figures.final += desc.Size;
        }
        texture->Release();
    }
    device->Release();
    direct3d->Release();
    return figures;
}

LoadFigures measureInChild(IDirect3D8* (*makeDirect3D)()) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string id = std::to_string(::getpid());
    const std::filesystem::path big = dir / ("tessal_texture_memory_" + id + ".png");
    const std::filesystem::path small = dir / ("tessal_texture_memory_small_" + id + ".png");
    writeBandsPng(big, 4096);
    writeBandsPng(small, 64);
    int channel[2];
    LoadFigures figures;
    if (::pipe(channel) != 0) return figures;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // fixed: freed large blocks are unmapped
        figures = measureLoad(makeDirect3D(), big, small);
        (void)!::write(channel[1], &figures, sizeof figures);
        ::_exit(0);
    }
    ::close(channel[1]);
    if (child < 0 || ::read(channel[0], &figures, sizeof figures) != sizeof figures) figures = {};
    ::close(channel[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    std::filesystem::remove(big);
    std::filesystem::remove(small);
    return figures;
}

void expectUnderTwiceTheTexture(const LoadFigures& figures, const char* backend) {
    const double mib = 1024.0 * 1024.0;
    std::printf("%s: texture %.1f MiB, peak while loading %.1f MiB (%.2fx)\n", backend,
                double(figures.final) / mib, double(figures.peak) / mib,
                double(figures.peak) / double(figures.final));
    EXPECT_LT(figures.peak, 2 * figures.final);
}

// The recording device keeps every level in memory, so the texture itself
// must show in the peak: a measurement that misses it proves nothing.
TEST(TextureMemory, PeakWhileLoadingStaysUnderTwiceTheTextureOnTheRecordingDevice) {
    if (sanitizedBuild) GTEST_SKIP() << "the sanitizer's allocator keeps what the load frees";
    const LoadFigures figures = measureInChild([] {
        static CallLog log;
        return createRecordingDirect3D(RecordingConfig{}, log);
    });
    ASSERT_GT(figures.final, 0) << "not loaded";
    if (!figures.measured) GTEST_SKIP() << "peak resident size not resettable";
    EXPECT_EQ(figures.final, 89478484);  // 4096 x 4096 x 4 bytes and the levels below
    EXPECT_GE(figures.peak, figures.final);
    expectUnderTwiceTheTexture(figures, "recording");
}

TEST(TextureMemory, PeakWhileLoadingStaysUnderTwiceTheTextureOnOpenGl) {
    // A child forked from a process that already runs GL's threads could
    // not make a device of its own; ctest runs every test in a new process.
    if (sanitizedBuild) GTEST_SKIP() << "the sanitizer's allocator keeps what the load frees";
    if (statusNumber("Threads") != 1) GTEST_SKIP() << "other threads run: run this test alone";
    const LoadFigures figures = measureInChild([] { return Direct3DCreate8(D3D_SDK_VERSION); });
    if (!figures.device) GTEST_SKIP() << "no OpenGL device";
    ASSERT_GT(figures.final, 0) << "not loaded";
    if (!figures.measured) GTEST_SKIP() << "peak resident size not resettable";
    expectUnderTwiceTheTexture(figures, "OpenGL");
}

}  // namespace
