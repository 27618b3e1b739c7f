// What reaches GL between draws: states set and set back before the next
// draw, a read back and an unchanged texture cost nothing but the draw; a
// clear writes through write masks that draws keep.
#include <gtest/gtest.h>

#include "gl_call_tally.h"
#include "gl_test_device.h"
#include "platform/d3d8/gl/gl_device.h"

namespace {

class GlStateFlush : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000000, 1.0f, 0);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    }

    // As an image layer draws: states on, the quad, states back.
    HRESULT drawLayer(IDirect3DTexture8* texture) {
        device->SetTexture(0, texture);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        const HRESULT drawn = drawQuad(0, 0, 8, 8, 0x80ff0000);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
        return drawn;
    }

    GlApi& gl() { return static_cast<::GlDevice*>(device)->glEntryPoints(); }
};

TEST_F(GlStateFlush, AStateSetAndSetBackBeforeTheNextDrawSendsNothing) {
    IDirect3DTexture8* texture = makeTexture(1, 1, {0xffffffff});
    ASSERT_EQ(drawLayer(texture), D3D_OK);
    readBackBuffer();  // as a frame's one-pixel read back does
    GlCallTally tally(gl());
    ASSERT_EQ(drawLayer(texture), D3D_OK);
    const std::map<std::string, int> onlyTheDraw = {{"BufferSubData", 1}, {"DrawArrays", 1}};
    EXPECT_EQ(tally.counts(), onlyTheDraw);

    tally.reset();  // a state that did change is sent, and only its group
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);  // back as it was drawn with
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xff00ff00), D3D_OK);
    EXPECT_EQ(tally.counts().count("BlendFunc"), 1u);
    EXPECT_EQ(tally.counts().count("DepthFunc"), 0u);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(GlStateFlush, AClearWritesThroughWriteMasksThatTheDrawsAroundItKeep) {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xffff0000), D3D_OK);
    EXPECT_EQ(readBackBuffer()[0] & 0xffffff, 0u);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff0000ff, 1.0f, 0), D3D_OK);
    EXPECT_EQ(readBackBuffer()[0] & 0xffffff, 0x0000ffu);
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xffff0000), D3D_OK);
    EXPECT_EQ(readBackBuffer()[0] & 0xffffff, 0x0000ffu);

    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xf);  // open masks: a clear sends none
    ASSERT_EQ(drawQuad(0, 0, 8, 8, 0xffff0000), D3D_OK);
    GlCallTally tally(gl());
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff00ff00, 1.0f, 0), D3D_OK);
    EXPECT_EQ(tally.counts().count("ColorMask") + tally.counts().count("DepthMask"), 0u);
    EXPECT_EQ(readBackBuffer()[0] & 0xffffff, 0x00ff00u);
}

}  // namespace
