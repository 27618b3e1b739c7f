// The texture store on a recording device, in a temporary production
// directory, with a script state that has the store's commands.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "media/texture_store.h"
#include "platform/d3d8/recording/recording_direct3d.h"

// A 24-bit BMP file of width × height pixels given as 0xRRGGBB, rows top first.
std::vector<std::uint8_t> bmpImage(unsigned width, unsigned height,
                                   const std::vector<DWORD>& pixels);
// A BMP of one colour.
std::vector<std::uint8_t> plainBmp(unsigned width, unsigned height, DWORD rgb);

class TextureStoreTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the recording device (after any change to `config`).
    void startDevice();
    void writeData(const std::string& name, const std::vector<std::uint8_t>& bytes);
    // Runs a chunk; the message of a script error is kept in `lastError`.
    int run(const std::string& chunk);
    std::string lastError();
    // Level `level` of a texture as A8R8G8B8 pixels.
    std::vector<DWORD> pixels(IDirect3DTexture8* texture, UINT level);

    TextureStore& store = textureStore();
    RecordingConfig config;
    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    lua_State* L = nullptr;
    std::filesystem::path dir;
    std::filesystem::path previousDir;
};
