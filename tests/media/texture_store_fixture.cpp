#include "texture_store_fixture.h"

#include <unistd.h>

#include <fstream>

#include "app/current_device.h"
#include "media/data_access.h"
#include "platform/lua4/lua4.h"

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> bmpImage(unsigned width, unsigned height,
                                   const std::vector<DWORD>& pixels) {
    const unsigned stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> out{'B', 'M'};
    put(out, 54 + stride * height, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, width, 4);
    put(out, height, 4);
    put(out, 1, 2);
    put(out, 24, 2);
    for (int i = 0; i < 6; ++i) put(out, 0, 4);
    for (unsigned row = 0; row < height; ++row) {
        const unsigned y = height - 1 - row;
        for (unsigned x = 0; x < width; ++x) put(out, pixels[y * width + x], 3);
        for (unsigned pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> plainBmp(unsigned width, unsigned height, DWORD rgb) {
    return bmpImage(width, height, std::vector<DWORD>(width * height, rgb));
}

void TextureStoreTest::SetUp() {
    previousDir = std::filesystem::current_path();
    dir = std::filesystem::temp_directory_path() /
          ("tessal_texture_store_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "data");
    std::filesystem::current_path(dir);
    DataAccess::unpackedMode = true;
    L = lua4::lua_open(0);
    lua4::lua_baselibopen(L);
    TextureStore::registerCommands(L);
    ASSERT_EQ(lua4::lua_dostring(L, "function _ERRORMESSAGE(m) lastError = m end"), 0);
    startDevice();
}

void TextureStoreTest::startDevice() {
    direct3d = createRecordingDirect3D(config, log);
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 640;
    params.BackBufferHeight = 480;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    currentDevice = device;
    log.clear();
}

// Every texture is given back: the device goes with its last reference.
void TextureStoreTest::TearDown() {
    store.clear();
    currentDevice = nullptr;
    if (device) {
        EXPECT_EQ(device->Release(), 0u);
    }
    if (direct3d) direct3d->Release();
    if (L) lua4::lua_close(L);
    DataAccess::unpackedMode = true;
    std::filesystem::current_path(previousDir);
    std::filesystem::remove_all(dir);
}

void TextureStoreTest::writeData(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir / "data" / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

int TextureStoreTest::run(const std::string& chunk) {
    return lua4::lua_dostring(L, chunk.c_str());
}

std::string TextureStoreTest::lastError() {
    lua4::lua_getglobal(L, "lastError");
    const char* text = lua4::lua_tostring(L, -1);
    std::string value = text ? text : "";
    lua4::lua_settop(L, 0);
    return value;
}

std::vector<DWORD> TextureStoreTest::pixels(IDirect3DTexture8* texture, UINT level) {
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(level, &desc);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<DWORD> result;
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(locked.pBits) +
                                                         y * UINT(locked.Pitch));
        result.insert(result.end(), row, row + desc.Width);
    }
    texture->UnlockRect(level);
    return result;
}
