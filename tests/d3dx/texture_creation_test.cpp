// Texture creation from image bytes and files, and empty textures, on the
// recording device: sizes, source information, mip chains, rescaling, and
// what bad input leaves behind.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "d3dx/d3dx_texture.h"
#include "decode_fixtures.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

// An RGBA PNG of one colour, or of two halves (left, right).
Bytes pngOf(unsigned width, unsigned height, DWORD left, DWORD right) {
    std::vector<Bytes> rows(height);
    for (Bytes& row : rows)
        for (unsigned x = 0; x < width; ++x) {
            const DWORD p = x < width / 2 ? left : right;
            row.insert(row.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p),
                                   std::uint8_t(p >> 24)});
        }
    return encodePng(width, height, PNG_COLOR_TYPE_RGBA, 8, rows);
}

class TextureCreation : public ::testing::Test {
  protected:
    void SetUp() override { start(RecordingConfig{}); }

    void start(const RecordingConfig& config) {
        direct3d = createRecordingDirect3D(config, log);
        D3DPRESENT_PARAMETERS params{};
        params.BackBufferWidth = 64;
        params.BackBufferHeight = 64;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.BackBufferCount = 1;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
                  D3D_OK);
        log.clear();
    }

    void TearDown() override {
        if (texture) texture->Release();
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        if (direct3d) direct3d->Release();
    }

    HRESULT load(const Bytes& bytes, UINT width = D3DX_DEFAULT, UINT height = D3DX_DEFAULT,
                 DWORD filter = D3DX_DEFAULT, D3DCOLOR colorKey = 0) {
        return D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), width,
                                                   height, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
                                                   D3DPOOL_MANAGED, filter, D3DX_DEFAULT, colorKey,
                                                   &info, nullptr, &texture);
    }

    std::vector<DWORD> level(UINT index) {
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(index, &desc);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(index, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        std::vector<DWORD> pixels;
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = reinterpret_cast<const DWORD*>(
                static_cast<const BYTE*>(locked.pBits) + y * UINT(locked.Pitch));
            pixels.insert(pixels.end(), row, row + desc.Width);
        }
        texture->UnlockRect(index);
        return pixels;
    }

    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    IDirect3DTexture8* texture = nullptr;
    D3DXIMAGE_INFO info{};
};

TEST_F(TextureCreation, DefaultSizeKeepsTheImageSizeWithAFullMipChainInTheManagedPool) {
    ASSERT_EQ(load(pngOf(12, 5, 0xff102030, 0xff102030)), D3D_OK);
    const RecordedCall* create = log.first("CreateTexture");
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->args, (std::vector<double>{12, 5, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED}));
    EXPECT_EQ(texture->GetLevelCount(), 4u);  // 12x5, 6x2, 3x1, 1x1
    EXPECT_EQ(info.Width, 12u);
    EXPECT_EQ(info.Height, 5u);
    EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    for (UINT i = 0; i < 4; ++i)
        for (DWORD pixel : level(i)) EXPECT_EQ(pixel, 0xff102030u) << "level " << i;
}

// Each level is the box average of the one above: a 2 x 2 image of four
// colours becomes their mean.
TEST_F(TextureCreation, MipLevelsAverageTheLevelAbove) {
    std::vector<Bytes> rows = {{255, 0, 0, 255, 0, 255, 0, 255},
                               {0, 0, 255, 255, 255, 255, 255, 255}};
    ASSERT_EQ(load(encodePng(2, 2, PNG_COLOR_TYPE_RGBA, 8, rows)), D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 2u);
    const DWORD mean = level(1)[0];
    EXPECT_NEAR(int((mean >> 16) & 0xff), 128, 1);
    EXPECT_NEAR(int((mean >> 8) & 0xff), 128, 1);
    EXPECT_NEAR(int(mean & 0xff), 128, 1);
    EXPECT_EQ(mean >> 24, 0xffu);
}

// A fixed size rescales the image; the source information still reports
// the image's own size.
TEST_F(TextureCreation, AFixedSizeRescalesTheImage) {
    ASSERT_EQ(load(pngOf(4, 2, 0xffff0000, 0xff0000ff), 16, 8), D3D_OK);
    EXPECT_EQ(info.Width, 4u);
    EXPECT_EQ(info.Height, 2u);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 16u);
    EXPECT_EQ(desc.Height, 8u);
    const std::vector<DWORD> pixels = level(0);
    EXPECT_EQ(pixels[0], 0xffff0000u);
    EXPECT_EQ(pixels[15], 0xff0000ffu);
    EXPECT_EQ(pixels[7 * 16 + 2], 0xffff0000u);
    // Shrinking with the box filter averages each pixel's own area: 4 x 2
    // to 2 x 1 keeps the halves apart.
    texture->Release();
    texture = nullptr;
    ASSERT_EQ(load(pngOf(4, 2, 0xffff0000, 0xff0000ff), 2, 1, D3DX_FILTER_BOX), D3D_OK);
    EXPECT_EQ(level(0), (std::vector<DWORD>{0xffff0000u, 0xff0000ffu}));
}

TEST_F(TextureCreation, ColourKeyedPixelsBecomeTransparentBlack) {
    ASSERT_EQ(load(pngOf(2, 1, 0xff00ff00, 0xff123456), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                   0xff00ff00),
              D3D_OK);
    EXPECT_EQ(level(0), (std::vector<DWORD>{0x00000000u, 0xff123456u}));
}

TEST_F(TextureCreation, BadBytesMakeNoTexture) {
    const Bytes garbage{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g',
                        'e', '.', '.', '.', '.', '.', '.', '.', '.', '.'};
    EXPECT_EQ(load(garbage), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(log.count("CreateTexture"), 0u);
    Bytes truncated = pngOf(8, 8, 0xff000000, 0xffffffff);
    truncated.resize(truncated.size() / 2);
    EXPECT_EQ(load(truncated), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, garbage.data(), 0, D3DX_DEFAULT,
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
                                                  D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                  nullptr, nullptr, &texture),
              D3DERR_INVALIDCALL);
}

// The device's largest texture bounds the images that load at all.
TEST_F(TextureCreation, ImagesLargerThanTheDeviceAllowsAreRefused) {
    TearDown();
    device = nullptr;
    direct3d = nullptr;
    RecordingConfig config;
    config.adapters[0].hal.caps.MaxTextureWidth = 16;
    config.adapters[0].hal.caps.MaxTextureHeight = 16;
    start(config);
    EXPECT_EQ(load(pngOf(17, 1, 0xff000000, 0xff000000)), D3DXERR_INVALIDDATA);
    EXPECT_EQ(log.count("CreateTexture"), 0u);
    EXPECT_EQ(load(pngOf(16, 16, 0xff000000, 0xff000000)), D3D_OK);
}

TEST_F(TextureCreation, FromAFileOnDiskAndFromAMissingOne) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tessal_texture_creation_test.png";
    {
        const Bytes bytes = pngOf(2, 2, 0xff445566, 0xff445566);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    EXPECT_EQ(D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT,
                                           D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                           D3DX_DEFAULT, D3DX_DEFAULT, 0, &info, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(info.Width, 2u);
    texture->Release();
    texture = nullptr;
    std::filesystem::remove(path);
    EXPECT_EQ(D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT,
                                           D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                           D3DX_DEFAULT, D3DX_DEFAULT, 0, &info, nullptr, &texture),
              D3DERR_NOTFOUND);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(TextureCreation, EmptyTexturesTakeDefaultsAndRenderTargetsTheirPool) {
    ASSERT_EQ(D3DXCreateTexture(device, D3DX_DEFAULT, 0, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                D3DPOOL_MANAGED, &texture),
              D3D_OK);
    EXPECT_EQ(log.last("CreateTexture")->args,
              (std::vector<double>{256, 256, 9, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED}));
    texture->Release();
    texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device, 128, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                D3DPOOL_DEFAULT, &texture),
              D3D_OK);
    EXPECT_EQ(
        log.last("CreateTexture")->args,
        (std::vector<double>{128, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT}));
    // A render target in the managed pool is refused, as Direct3D refuses it.
    IDirect3DTexture8* refused = nullptr;
    EXPECT_EQ(D3DXCreateTexture(device, 128, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                D3DPOOL_MANAGED, &refused),
              D3DERR_INVALIDCALL);
}

}  // namespace
