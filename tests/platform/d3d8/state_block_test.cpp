// State blocks on both backends: recording leaves the device alone, apply
// and capture work on exactly the recorded states, a block keeps its
// texture alive, and tokens end with DeleteStateBlock.
#include <gtest/gtest.h>

#include "gl_test_device.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

DWORD renderState(IDirect3DDevice8* device, D3DRENDERSTATETYPE state) {
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

// One block setting depth off, a texture on stage 0 and light 3 on.
DWORD recordBlock(IDirect3DDevice8* device, IDirect3DTexture8* texture) {
    EXPECT_EQ(device->BeginStateBlock(), D3D_OK);
    EXPECT_EQ(device->BeginStateBlock(), D3DERR_INVALIDCALL);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetTexture(0, texture);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {1, 0.5f, 0, 1};
    light.Attenuation0 = 1;
    device->SetLight(3, &light);
    device->LightEnable(3, TRUE);
    EXPECT_EQ(device->ApplyStateBlock(1), D3DERR_INVALIDCALL);  // while recording
    DWORD token = 0;
    EXPECT_EQ(device->EndStateBlock(&token), D3D_OK);
    EXPECT_NE(token, 0u);
    return token;
}

void checkStateBlocks(IDirect3DDevice8* device, IDirect3DTexture8* texture) {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    const DWORD token = recordBlock(device, texture);
    texture->Release();                                                // the block holds it now
    EXPECT_EQ(renderState(device, D3DRS_ZENABLE), DWORD(D3DZB_TRUE));  // not applied while recorded
    IDirect3DBaseTexture8* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);
    ASSERT_EQ(device->ApplyStateBlock(token), D3D_OK);
    EXPECT_EQ(renderState(device, D3DRS_ZENABLE), DWORD(D3DZB_FALSE));
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    if (bound) bound->Release();
    BOOL on = FALSE;
    EXPECT_EQ(device->GetLightEnable(3, &on), D3D_OK);
    EXPECT_TRUE(on);
    // Capture takes the current values of the recorded states only.
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    ASSERT_EQ(device->CaptureStateBlock(token), D3D_OK);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    ASSERT_EQ(device->ApplyStateBlock(token), D3D_OK);
    EXPECT_EQ(renderState(device, D3DRS_ZENABLE), DWORD(D3DZB_TRUE));
    EXPECT_EQ(renderState(device, D3DRS_CULLMODE), DWORD(D3DCULL_CW));
    device->SetTexture(0, nullptr);
    EXPECT_EQ(device->DeleteStateBlock(token), D3D_OK);  // lets the texture go
    EXPECT_EQ(device->ApplyStateBlock(token), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DeleteStateBlock(token), D3DERR_INVALIDCALL);
}

TEST(RecordingStateBlocks, RecordApplyCaptureDelete) {
    CallLog log;
    IDirect3D8* direct3d = createRecordingDirect3D({}, log);
    D3DPRESENT_PARAMETERS params = windowedPresentParameters(16, 16, D3DFMT_UNKNOWN);
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    checkStateBlocks(device, texture);
    EXPECT_EQ(device->Release(), 0u);
    direct3d->Release();
}

class GlStateBlocks : public GlTestDevice {};

TEST_F(GlStateBlocks, RecordApplyCaptureDelete) {
    if (direct3d == nullptr) return;
    createDevice(8, 8);
    IDirect3DTexture8* texture = makeTexture(1, 1, {0xffffffff});
    ASSERT_NE(texture, nullptr);
    checkStateBlocks(device, texture);
}

}  // namespace
