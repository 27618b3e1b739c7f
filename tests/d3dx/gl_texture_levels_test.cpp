// A texture loaded on the OpenGL device, which keeps its levels only in GL,
// against the same load on the recording device, which keeps them in
// memory: the levels read back alike, and a locked rectangle reads and
// writes its own area only.
#include <gtest/gtest.h>

#include <png.h>

#include "d3dx/d3dx_texture.h"
#include "decode_fixtures.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

// Every pixel different, alpha included.
Bytes variedPng(unsigned width, unsigned height) {
    std::vector<Bytes> rows(height);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            rows[y].insert(rows[y].end(), {std::uint8_t(x * 7), std::uint8_t(y * 11),
                                           std::uint8_t(x * y), std::uint8_t(255 - x - y)});
    return encodePng(width, height, PNG_COLOR_TYPE_RGBA, 8, rows);
}

class Device {
  public:
    explicit Device(IDirect3D8* direct3d) : direct3d_(direct3d) {
        if (direct3d_ == nullptr) return;
        D3DPRESENT_PARAMETERS params = windowedPresentParameters(64, 64, D3DFMT_UNKNOWN);
        direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                &params, &device_);
    }
    ~Device() {
        if (texture_) texture_->Release();
        if (device_) device_->Release();
        if (direct3d_) direct3d_->Release();
    }

    bool ready() const { return device_ != nullptr; }
    IDirect3DTexture8* texture() const { return texture_; }

    // At 40 x 20, so the image is rescaled and the chain has odd sizes.
    HRESULT load(const Bytes& bytes) {
        return D3DXCreateTextureFromFileInMemoryEx(
            device_, bytes.data(), UINT(bytes.size()), 40, 20, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
            D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture_);
    }

    HRESULT createEmpty(UINT side) {
        return D3DXCreateTexture(device_, side, side, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                 &texture_);
    }

    // The area's pixels, rows top first; the whole level without an area.
    std::vector<DWORD> read(UINT level, const RECT* area = nullptr) {
        D3DSURFACE_DESC desc{};
        texture_->GetLevelDesc(level, &desc);
        const RECT whole{0, 0, LONG(desc.Width), LONG(desc.Height)};
        const RECT& rect = area ? *area : whole;
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture_->LockRect(level, &locked, area, D3DLOCK_READONLY), D3D_OK);
        std::vector<DWORD> pixels;
        for (LONG y = 0; y < rect.bottom - rect.top; ++y) {
            const auto* row = reinterpret_cast<const DWORD*>(
                static_cast<const BYTE*>(locked.pBits) + std::size_t(y) * UINT(locked.Pitch));
            pixels.insert(pixels.end(), row, row + (rect.right - rect.left));
        }
        texture_->UnlockRect(level);
        return pixels;
    }

    void fill(UINT level, const RECT& area, DWORD colour) {
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture_->LockRect(level, &locked, &area, 0), D3D_OK);
        for (LONG y = 0; y < area.bottom - area.top; ++y) {
            auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) +
                                                 std::size_t(y) * UINT(locked.Pitch));
            std::fill(row, row + (area.right - area.left), colour);
        }
        texture_->UnlockRect(level);
    }

  private:
    IDirect3D8* direct3d_;
    IDirect3DDevice8* device_ = nullptr;
    IDirect3DTexture8* texture_ = nullptr;
};

TEST(GlTextureLevels, ReadBackAsTheRecordingDeviceKeepsThemAndRectanglesTouchTheirAreaOnly) {
    Device gl(Direct3DCreate8(D3D_SDK_VERSION));
    if (!gl.ready()) GTEST_SKIP() << "no OpenGL device";
    CallLog log;
    Device recording(createRecordingDirect3D(RecordingConfig{}, log));
    const Bytes png = variedPng(37, 23);
    ASSERT_EQ(gl.load(png), D3D_OK);
    ASSERT_EQ(recording.load(png), D3D_OK);
    ASSERT_EQ(gl.texture()->GetLevelCount(), 6u);  // 40x20 down to 1x1
    for (UINT level = 0; level < 6; ++level)
        EXPECT_EQ(gl.read(level), recording.read(level)) << "level " << level;

    const RECT inside{3, 2, 11, 9};
    EXPECT_EQ(gl.read(0, &inside), recording.read(0, &inside));
    const RECT written{5, 5, 9, 8};
    gl.fill(0, written, 0x12345678u);
    recording.fill(0, written, 0x12345678u);
    EXPECT_EQ(gl.read(0), recording.read(0));
    EXPECT_EQ(gl.read(1), recording.read(1));  // the level below is left alone
}

// Rows never written read as zeros, next to rows that were.
TEST(GlTextureLevels, ANewTextureReadsAsZerosAroundWhatIsWritten) {
    Device gl(Direct3DCreate8(D3D_SDK_VERSION));
    if (!gl.ready()) GTEST_SKIP() << "no OpenGL device";
    ASSERT_EQ(gl.createEmpty(8), D3D_OK);
    EXPECT_EQ(gl.read(0), std::vector<DWORD>(64, 0));
    gl.fill(0, {2, 3, 6, 5}, 0xff00ff00u);
    const std::vector<DWORD> pixels = gl.read(0);
    for (unsigned i = 0; i < 64; ++i) {
        const unsigned x = i % 8, y = i / 8;
        const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
        EXPECT_EQ(pixels[i], inside ? 0xff00ff00u : 0u) << x << ", " << y;
    }
}

}  // namespace
