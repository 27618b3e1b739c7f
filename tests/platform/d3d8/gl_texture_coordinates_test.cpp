// Texture coordinates on the GL backend: generated in camera space, through
// the stage's texture matrix, projected. A 4 × 4 texture of distinct texels
// sampled by point tells which coordinates a pixel got.
#include <gtest/gtest.h>

#include <cmath>

#include "gl_test_device.h"

namespace {

// x, y, z, normal, one coordinate set of three floats.
struct TexturedVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v, q;
};
constexpr DWORD TEXTURED_VERTEX_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1 | (1u << 16);

// A square of side 0.2 at depth 10 fills the 8 × 8 target; seen from so
// far, the direction to the eye is nearly (0, 0, -1) at every pixel.
class GlTextureCoordinates : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8, false);
        device->BeginScene();
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        const D3DMATRIX projection = scalingMatrix(100.0f, 100.0f, 0.01f);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        for (int i = 0; i < 16; ++i) texels.push_back(0xff000000u | DWORD(i * 16) << 16 | 0x40);
        texture = makeTexture(4, 4, texels);
    }
    void TearDown() override {
        if (device) {
            for (DWORD stage : {0u, 1u}) device->SetTexture(stage, nullptr);
            texture->Release();
        }
        GlTestDevice::TearDown();
    }

    // Stage `stage` shows the texture by point sampling; stages before it
    // pass the diffuse colour on.
    void showTextureAt(DWORD stage) {
        device->SetTexture(stage, texture);
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_POINT);
        if (stage == 0) return;
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    }

    // Every pixel of the square with `normal` and coordinates (u, v, q).
    std::vector<DWORD> drawSquare(D3DVECTOR normal, float u = 0, float v = 0, float q = 0) {
        TexturedVertex square[4];
        const float x[4] = {-0.1f, 0.1f, -0.1f, 0.1f}, y[4] = {0.1f, 0.1f, -0.1f, -0.1f};
        for (int i = 0; i < 4; ++i)
            square[i] = {x[i], y[i], 10.0f, normal.x, normal.y, normal.z, u, v, q};
        device->SetVertexShader(TEXTURED_VERTEX_FVF);
        EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof square[0]),
                  D3D_OK);
        return readBackBuffer();
    }

    void expectEveryPixel(const std::vector<DWORD>& pixels, int column, int row) {
        const DWORD texel = texels[std::size_t(row) * 4 + std::size_t(column)];
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_EQ(pixels[i] & 0xffffff, texel & 0xffffff) << "pixel " << i;
    }

    std::vector<DWORD> texels;
    IDirect3DTexture8* texture = nullptr;
};

// The scene's environment map: stage 1, the camera-space reflection vector
// through rows (0.4, 0, 0, 0), (0, -0.4, 0, 0), (0, 0, 0, 0), (0.5, -0.5, 0, 1),
// so u = 0.4 r.x + 0.5 and v = -0.4 r.y - 0.5 (wrapping). The normal halves
// the angle between the eye direction (0, 0, -1) and the wanted reflection.
TEST_F(GlTextureCoordinates, ReflectionVectorThroughTheSceneMatrix) {
    showTextureAt(1);
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    D3DMATRIX matrix{};
    matrix.m[0][0] = 0.4f;
    matrix.m[1][1] = -0.4f;
    matrix.m[3][0] = 0.5f;
    matrix.m[3][1] = -0.5f;
    matrix.m[3][3] = 1.0f;
    device->SetTransform(D3DTS_TEXTURE1, &matrix);
    const float rx = 0.9375f, ry = 0.3125f;  // u 0.875 (column 3), v -0.625 ≡ 0.375 (row 1)
    const float rz = -std::sqrt(1.0f - rx * rx - ry * ry);
    const float nz = rz - 1.0f, length = std::sqrt(rx * rx + ry * ry + nz * nz);
    expectEveryPixel(drawSquare({rx / length, ry / length, nz / length}), 3, 1);
}

// A two-element set goes into the matrix as (u, v, 1, 0): the third row
// translates it.
TEST_F(GlTextureCoordinates, TwoElementSetsAreTranslatedByTheThirdRow) {
    showTextureAt(0);
    device->SetVertexShader(TEXTURED_VERTEX_FVF);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    D3DMATRIX matrix = scalingMatrix(1.0f, 1.0f, 1.0f);
    matrix.m[2][0] = 0.625f;
    matrix.m[2][1] = 0.375f;
    matrix.m[3][0] = 0.25f;  // the fourth row stays out of a two-element set
    device->SetTransform(D3DTS_TEXTURE0, &matrix);
    struct {
        float x, y, z, u, v;
    } square[4] = {{-0.1f, 0.1f, 10, 0, 0},
                   {0.1f, 0.1f, 10, 0, 0},
                   {-0.1f, -0.1f, 10, 0, 0},
                   {0.1f, -0.1f, 10, 0, 0}};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_TEX1);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof square[0]), D3D_OK);
    expectEveryPixel(readBackBuffer(), 2, 1);
}

// COUNT3 | PROJECTED divides by the third element per pixel; camera-space
// positions and normals are generated coordinates like any other.
TEST_F(GlTextureCoordinates, ProjectedAndGeneratedCoordinates) {
    showTextureAt(0);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS,
                                 D3DTTFF_COUNT3 | D3DTTFF_PROJECTED);
    expectEveryPixel(drawSquare({0, 0, -1}, 1.25f, 0.75f, 2.0f), 2, 1);  // (0.625, 0.375)
    // Normal (0.3, 0.6, -0.1) scaled by 0.5 and moved by 0.5: (0.65, 0.8).
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
    D3DMATRIX matrix = scalingMatrix(0.5f, 0.5f, 1.0f);
    matrix.m[3][0] = 0.5f;
    matrix.m[3][1] = 0.5f;
    device->SetTransform(D3DTS_TEXTURE0, &matrix);
    expectEveryPixel(drawSquare({0.3f, 0.6f, -0.1f}), 2, 3);
    // Positions moved by (0.375, 0.25): the top left pixel centre (-0.1, 0.1)
    // reads (0.275, 0.35), the bottom right one (0.075, -0.075) reads (0.45, 0.175).
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION);
    matrix = scalingMatrix(1.0f, 1.0f, 1.0f);
    matrix.m[3][0] = 0.375f;
    matrix.m[3][1] = 0.25f;
    device->SetTransform(D3DTS_TEXTURE0, &matrix);
    const std::vector<DWORD> pixels = drawSquare({0, 0, -1});
    EXPECT_EQ(pixels[0] & 0xffffff, texels[4 * 1 + 1] & 0xffffff);
    EXPECT_EQ(pixels[63] & 0xffffff, texels[4 * 0 + 1] & 0xffffff);
}

}  // namespace
