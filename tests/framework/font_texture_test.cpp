// The overlay font on the recording device: texture sizes by point size and
// the device's limit, batches of 50 characters, line feeds, characters that
// draw nothing, and an empty string that sets nothing.
#include "framework/font_texture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_buffer.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

class FontTextureTest : public ::testing::Test {
  protected:
    void makeDevice(DWORD maxTextureWidth = 4096) {
        config.adapters[0].hal.caps.MaxTextureWidth = maxTextureWidth;
        direct3d = createRecordingDirect3D(config, log);
        D3DPRESENT_PARAMETERS params = windowedPresentParameters(640, 480, D3DFMT_UNKNOWN);
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
                  D3D_OK);
        device->BeginScene();
    }
    void TearDown() override {
        font.reset();
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        if (direct3d) direct3d->Release();
    }

    FontTexture& ready(DWORD points) {
        font = std::make_unique<FontTexture>("Arial", points, fontBold);
        EXPECT_EQ(font->initDeviceObjects(device), S_OK);
        EXPECT_EQ(font->restoreDeviceObjects(), S_OK);
        log.clear();
        return *font;
    }

    // The vertices the latest string left in the font's vertex buffer.
    std::vector<FontVertex> drawnVertices() {
        IDirect3DVertexBuffer8* buffer = nullptr;
        UINT stride = 0;
        device->GetStreamSource(0, &buffer, &stride);
        std::vector<FontVertex> vertices(FONT_VERTEX_COUNT);
        std::memcpy(vertices.data(), recordedBytes(buffer)->data(),
                    vertices.size() * sizeof(FontVertex));
        buffer->Release();
        return vertices;
    }

    RecordingConfig config;
    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    std::unique_ptr<FontTexture> font;
};

TEST_F(FontTextureTest, TextureSizeFollowsThePointSizeAndTheDeviceLimit) {
    makeDevice();
    std::vector<double> sizes;
    for (DWORD points : {12u, 21u, 41u}) {
        FontTexture sized("Arial", points, fontBold);
        log.clear();
        ASSERT_EQ(sized.initDeviceObjects(device), S_OK);
        const RecordedCall* created = log.first("CreateTexture");
        ASSERT_NE(created, nullptr);
        sizes.push_back(created->args[0]);
        EXPECT_EQ(created->args[4], D3DFMT_A4R4G4B4);
        EXPECT_EQ(sized.textScale(), 1.0f);
    }
    EXPECT_EQ(sizes, (std::vector<double>{256, 512, 1024}));
}

// Rasterised at half size into the largest texture the device has, and
// drawn with quads twice the texel size: the text keeps its size.
TEST_F(FontTextureTest, ALargeFontOnASmallDeviceIsHalvedAndDrawnTwiceAsLarge) {
    makeDevice(512);
    FontTexture& large = ready(48);
    EXPECT_EQ(large.textureWidth(), 512u);
    EXPECT_EQ(large.textScale(), 0.5f);
    ASSERT_EQ(large.drawText(10, 20, 0xffffffff, "W"), S_OK);
    const std::vector<FontVertex> v = drawnVertices();
    const float* w = large.glyph('W');
    EXPECT_FLOAT_EQ(v[2].x - v[0].x, (w[2] - w[0]) * 512 * 2);
    EXPECT_FLOAT_EQ(v[0].y - v[1].y, (w[3] - w[1]) * 512 * 2);
    // A 48-point bold cell at 96 dpi is some 70 pixels tall on screen.
    EXPECT_GT(v[0].y - v[1].y, 60.0f);
}

// Glyph rows that would run past the bottom of the texture are drawn
// smaller instead, so that every glyph lies inside it.
TEST_F(FontTextureTest, RowsThatWouldNotFitAreDrawnSmaller) {
    makeDevice();
    FontTexture& crowded = ready(200);  // a 1024 x 1024 texture holds only a few rows
    EXPECT_LT(crowded.textScale(), 0.5f);
    for (unsigned char c = 32; c < 127; ++c) EXPECT_LE(crowded.glyph(c)[3], 1.0f) << c;
}

TEST_F(FontTextureTest, FiftyCharactersADrawAndLineFeedsReturnToTheStart) {
    makeDevice();
    FontTexture& text = ready(12);
    ASSERT_EQ(text.drawText(2, 0, 0xff00ff00, std::string(51, 'x').c_str()), S_OK);
    std::vector<std::vector<double>> draws;
    for (const RecordedCall& call : log.named("DrawPrimitive")) draws.push_back(call.args);
    EXPECT_EQ(draws, (std::vector<std::vector<double>>{{D3DPT_TRIANGLELIST, 0, 100},
                                                       {D3DPT_TRIANGLELIST, 0, 2}}));
    ASSERT_EQ(text.drawText(5, 7, 0xff00ff00, "a\nb"), S_OK);
    const std::vector<FontVertex> v = drawnVertices();
    const float* space = text.glyph(' ');
    EXPECT_FLOAT_EQ(v[1].x, 5 - 0.5f);  // a's top left
    EXPECT_FLOAT_EQ(v[7].x, 5 - 0.5f);  // b's top left, back at the start
    EXPECT_FLOAT_EQ(v[7].y - v[1].y, (space[3] - space[1]) * 256);
    EXPECT_FLOAT_EQ(v[1].u, text.glyph('a')[0]);
    EXPECT_FLOAT_EQ(v[7].u, text.glyph('b')[0]);
}

TEST_F(FontTextureTest, ControlCharactersAndHighBytesDrawNothingAndDoNotMove) {
    makeDevice();
    FontTexture& text = ready(12);
    ASSERT_EQ(text.drawText(0, 0, 0xffffffff,
                            "a\t\x01\x7f\xe9"
                            "b"),
              S_OK);
    const std::vector<FontVertex> v = drawnVertices();
    EXPECT_EQ(log.last("DrawPrimitive")->args[2], 4);  // two characters
    const float* a = text.glyph('a');
    EXPECT_FLOAT_EQ(v[7].x, (a[2] - a[0]) * 256 - 0.5f);  // b right after a
}

TEST_F(FontTextureTest, AnEmptyStringSetsNothingAndTheDrawRestoresTheStates) {
    makeDevice();
    FontTexture& text = ready(12);
    ASSERT_EQ(text.drawText(0, 0, 0xffffffff, ""), S_OK);
    EXPECT_EQ(log.size(), 0u);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    ASSERT_EQ(text.drawText(0, 0, 0xffffffff, "x"), S_OK);
    DWORD z = 0, op = 0;
    device->GetRenderState(D3DRS_ZENABLE, &z);
    device->GetTextureStageState(0, D3DTSS_COLOROP, &op);
    EXPECT_EQ(z, DWORD(D3DZB_TRUE));
    EXPECT_EQ(op, DWORD(D3DTOP_ADD));
    text.invalidateDeviceObjects();
    EXPECT_EQ(text.drawText(0, 0, 0xffffffff, "x"), E_FAIL);
}

}  // namespace
