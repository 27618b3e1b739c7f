// A GL device on SDL's offscreen driver for drawing tests, with helpers to
// draw pre-transformed quads and read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

// x, y, z, rhw, diffuse, specular, u, v: the image layers' vertex format.
struct ScreenVertex {
    float x, y, z, rhw;
    DWORD diffuse, specular;
    float u, v;
};
constexpr DWORD SCREEN_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;

// x, y, z, normal, diffuse: a vertex Direct3D transforms and lights.
struct ModelVertex {
    float x, y, z;
    float nx, ny, nz;
    DWORD diffuse;
};
constexpr DWORD MODEL_VERTEX_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE;

D3DMATRIX scalingMatrix(float x, float y, float z);
// Direct3D's left-handed perspective projection with a 90° field of view.
D3DMATRIX perspectiveMatrix(float nearPlane, float farPlane);

class GlTestDevice : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void createDevice(UINT width, UINT height, bool depth = true);
    // Every pixel of a surface as A8R8G8B8, top row first.
    std::vector<DWORD> readSurface(IDirect3DSurface8* surface);
    std::vector<DWORD> readBackBuffer();
    // A quad from (left, top) to (right, bottom) in target pixels, texture
    // coordinates (0, 0) at the top left to (1, 1), drawn as a strip.
    HRESULT drawQuad(float left, float top, float right, float bottom, DWORD colour);
    // A square of side 2·half at depth z, facing the camera (normal towards
    // -z unless given), drawn as a strip of model vertices.
    HRESULT drawFacingSquare(float half, float z, D3DVECTOR normal = {0.0f, 0.0f, -1.0f},
                             DWORD diffuse = 0xffffffff);
    // A managed A8R8G8B8 texture holding `pixels` (rows top first).
    IDirect3DTexture8* makeTexture(UINT width, UINT height, const std::vector<DWORD>& pixels);

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    D3DPRESENT_PARAMETERS params{};
};

// One channel (shift 16 red, 8 green, 0 blue, 24 alpha) of a pixel.
inline int channelOf(DWORD pixel, int shift) {
    return int((pixel >> shift) & 0xff);
}

// Whether two pixels' colour channels differ by at most `tolerance`.
bool nearColour(DWORD a, DWORD b, int tolerance);

// Colour channels within 2 of the expected pixel's.
#define EXPECT_COLOUR(actual, expected)                                                    \
    do {                                                                                   \
        const DWORD seen = (actual), wanted = (expected);                                  \
        EXPECT_TRUE(nearColour(seen, wanted, 2)) << std::hex << seen << " not " << wanted; \
    } while (0)
