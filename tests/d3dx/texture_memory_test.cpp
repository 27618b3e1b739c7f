// Memory taken while a 4096 x 4096 PNG becomes a managed texture with a full
// mip chain, as the texture store loads it: the peak resident size above what
// the process held before the load, against the size of the texture's levels
// in their format. Each load runs in a child process of its own, which resets
// the kernel's peak figure before loading, so nothing else this binary did
// counts; large blocks go back to the system as soon as they are freed there.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <malloc.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "d3dx/d3dx_texture.h"
#include "decode_fixtures.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

constexpr unsigned SIDE = 4096;

// Smooth bands: every row differs, yet the file stays small.
Bytes compressiblePng(unsigned side) {
    std::vector<Bytes> rows(side, Bytes(std::size_t(side) * 4));
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x) {
            std::uint8_t* p = &rows[y][std::size_t(x) * 4];
            p[0] = std::uint8_t(x / 16);
            p[1] = std::uint8_t(y / 16);
            p[2] = std::uint8_t((x + y) / 32);
            p[3] = 255;
        }
    return encodePng(side, side, PNG_COLOR_TYPE_RGBA, 8, rows);
}

// A field of /proc/self/status, or -1.
long long statusNumber(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long long number = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0 && line[length] == ':')
            number = std::atoll(line + length + 1);
    std::fclose(status);
    return number;
}

long long statusBytes(const char* field) {
    const long long kib = statusNumber(field);
    return kib < 0 ? -1 : kib * 1024;
}

bool resetPeakResidentSize() {
    const int file = ::open("/proc/self/clear_refs", O_WRONLY);
    if (file < 0) return false;
    const bool reset = ::write(file, "5", 1) == 1;
    ::close(file);
    return reset;
}

struct LoadFigures {
    long long peak = -1;   // bytes above the resident size before the load
    long long final = -1;  // bytes of the texture's levels
};

// `load` runs in a child process and returns the texture's size in bytes
// (negative when it cannot run there); the child gives back the figures.
LoadFigures measureInChild(const std::function<long long(const std::function<void()>&)>& load) {
    int channel[2];
    if (::pipe(channel) != 0) return {};
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // fixed: freed large blocks are unmapped
        LoadFigures figures;
        long long before = 0;
        figures.final = load([&] {
            if (resetPeakResidentSize()) before = statusBytes("VmRSS");
        });
        if (before > 0 && figures.final > 0) figures.peak = statusBytes("VmHWM") - before;
        (void)!::write(channel[1], &figures, sizeof figures);
        ::_exit(0);
    }
    ::close(channel[1]);
    LoadFigures figures;
    if (child < 0 || ::read(channel[0], &figures, sizeof figures) != sizeof figures) figures = {};
    ::close(channel[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return figures;
}

long long levelBytes(IDirect3DTexture8* texture) {
    long long total = 0;
    for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(level, &desc);
        total += desc.Size;
    }
    return total;
}

// Loads `path` as the texture store does, after a small warm-up load that
// brings the decoder's code and tables in; `startMeasuring` is called in
// between.
long long loadLikeTheStore(IDirect3DDevice8* device, const char* path, const char* warmUp,
                           const std::function<void()>& startMeasuring) {
    const auto load = [&](const char* file) -> IDirect3DTexture8* {
        IDirect3DTexture8* texture = nullptr;
        D3DXIMAGE_INFO info{};
        D3DXCreateTextureFromFileExA(device, file, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                     D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                     0, &info, nullptr, &texture);
        return texture;
    };
    if (IDirect3DTexture8* small = load(warmUp)) small->Release();
    startMeasuring();
    IDirect3DTexture8* texture = load(path);
    if (texture == nullptr || texture->GetLevelCount() != 13) return -1;
    const long long bytes = levelBytes(texture);
    texture->Release();
    return bytes;
}

constexpr long long NO_DEVICE = -2;

long long loadOn(IDirect3D8* direct3d, const char* path, const char* warmUp,
                 const std::function<void()>& startMeasuring) {
    if (direct3d == nullptr) return NO_DEVICE;
    D3DPRESENT_PARAMETERS params = windowedPresentParameters(64, 64, D3DFMT_UNKNOWN);
    IDirect3DDevice8* device = nullptr;
    long long bytes = NO_DEVICE;
    if (SUCCEEDED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device))) {
        bytes = loadLikeTheStore(device, path, warmUp, startMeasuring);
        device->Release();
    }
    direct3d->Release();
    return bytes;
}

class TextureMemory : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::filesystem::path dir = std::filesystem::temp_directory_path();
        big = dir / ("tessal_texture_memory_" + std::to_string(::getpid()) + ".png");
        small = dir / ("tessal_texture_memory_small_" + std::to_string(::getpid()) + ".png");
        write(big, compressiblePng(SIDE));
        write(small, compressiblePng(64));
    }
    static void TearDownTestSuite() {
        std::filesystem::remove(big);
        std::filesystem::remove(small);
    }
    static void write(const std::filesystem::path& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // The peak must stay under twice the texture's own size.
    static void expectUnderTwiceTheTexture(const LoadFigures& figures, const char* backend) {
        const double mib = 1024.0 * 1024.0;
        std::printf("%s: texture %.1f MiB, peak while loading %.1f MiB (%.2fx)\n", backend,
                    double(figures.final) / mib, double(figures.peak) / mib,
                    double(figures.peak) / double(figures.final));
        EXPECT_LT(figures.peak, 2 * figures.final);
    }

    static inline std::filesystem::path big, small;
};

// The recording device keeps every level in memory, so the texture itself
// must show in the peak: a measurement that misses it proves nothing.
TEST_F(TextureMemory, PeakWhileLoadingStaysUnderTwiceTheTextureOnTheRecordingDevice) {
    const LoadFigures figures = measureInChild([](const std::function<void()>& startMeasuring) {
        CallLog log;
        return loadOn(createRecordingDirect3D(RecordingConfig{}, log), big.c_str(), small.c_str(),
                      startMeasuring);
    });
    if (figures.final > 0 && figures.peak < 0) GTEST_SKIP() << "peak resident size not resettable";
    ASSERT_GT(figures.final, 0) << "not loaded";
    EXPECT_EQ(figures.final, 89478484);  // 4096 x 4096 x 4 bytes and the levels below
    EXPECT_GE(figures.peak, figures.final);
    expectUnderTwiceTheTexture(figures, "recording");
}

TEST_F(TextureMemory, PeakWhileLoadingStaysUnderTwiceTheTextureOnOpenGl) {
    // A child forked from a process that already runs GL's threads could
    // not make a device of its own; ctest runs every test in a new process.
    if (statusNumber("Threads") != 1) GTEST_SKIP() << "other threads run: run this test alone";
    const LoadFigures figures = measureInChild([](const std::function<void()>& startMeasuring) {
        return loadOn(Direct3DCreate8(D3D_SDK_VERSION), big.c_str(), small.c_str(), startMeasuring);
    });
    if (figures.final == NO_DEVICE) GTEST_SKIP() << "no OpenGL device";
    if (figures.final > 0 && figures.peak < 0) GTEST_SKIP() << "peak resident size not resettable";
    ASSERT_GT(figures.final, 0) << "not loaded";
    expectUnderTwiceTheTexture(figures, "OpenGL");
}

}  // namespace
