// Textures, depth-stencil surfaces, render targets and drawing from memory
// on the recording backend: lifetimes, checks, the reset rule, and what the
// log shows.
#include <gtest/gtest.h>

#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

class RecordingTextures : public ::testing::Test {
  protected:
    void SetUp() override {
        direct3d = createRecordingDirect3D(RecordingConfig{}, log);
        params.BackBufferWidth = 64;
        params.BackBufferHeight = 32;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.BackBufferCount = 1;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        params.EnableAutoDepthStencil = TRUE;
        params.AutoDepthStencilFormat = D3DFMT_D16;
        D3DPRESENT_PARAMETERS copy = params;
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &copy, &device),
                  D3D_OK);
    }
    void TearDown() override {
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        direct3d->Release();
    }

    IDirect3DTexture8* renderTexture(UINT width, UINT height) {
        IDirect3DTexture8* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                        D3DPOOL_DEFAULT, &texture),
                  D3D_OK);
        return texture;
    }
    ULONG deviceReferences() {
        device->AddRef();
        return device->Release();
    }

    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    D3DPRESENT_PARAMETERS params{};
};

// A texture holds its device; the surface of a level counts with the texture.
TEST_F(RecordingTextures, TexturesAndTheirSurfacesShareOneReferenceCountThatHoldsTheDevice) {
    const ULONG alone = deviceReferences();
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 5u);
    EXPECT_EQ(deviceReferences(), alone + 1);
    IDirect3DSurface8* level = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(2, &level), D3D_OK);
    D3DSURFACE_DESC desc{};
    level->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Height, 2u);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->Release(), 1u);  // the surface still holds it
    EXPECT_EQ(level->Release(), 0u);
    EXPECT_EQ(deviceReferences(), alone);
}

// Bound to a stage, a texture lives on after its last outside reference;
// the device lets go of it when unbound, and when it goes itself, without
// the two keeping each other alive.
TEST_F(RecordingTextures, ABoundTextureOutlivesItsReferencesButNotTheDevice) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    ASSERT_EQ(device->SetTexture(3, texture), D3D_OK);
    texture->Release();
    IDirect3DBaseTexture8* bound = nullptr;
    ASSERT_EQ(device->GetTexture(3, &bound), D3D_OK);
    EXPECT_EQ(bound, texture);
    EXPECT_EQ(bound->GetLevelCount(), 1u);
    bound->Release();
    // TearDown's final Release must reach 0: the bound texture holds no
    // reference on the device.
}

TEST_F(RecordingTextures, RenderTargetsNeedADepthBufferAtLeastAsLargeAndTakeTheViewport) {
    IDirect3DTexture8* target = renderTexture(128, 128);
    IDirect3DTexture8* plain = nullptr;
    device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &plain);
    IDirect3DSurface8 *targetLevel = nullptr, *plainLevel = nullptr, *smallDepth = nullptr,
                      *depth = nullptr;
    target->GetSurfaceLevel(0, &targetLevel);
    plain->GetSurfaceLevel(0, &plainLevel);
    ASSERT_EQ(
        device->CreateDepthStencilSurface(64, 64, D3DFMT_D16, D3DMULTISAMPLE_NONE, &smallDepth),
        D3D_OK);
    ASSERT_EQ(
        device->CreateDepthStencilSurface(128, 128, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, &depth),
        D3D_OK);
    EXPECT_EQ(device->SetRenderTarget(plainLevel, depth), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderTarget(targetLevel, smallDepth), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderTarget(targetLevel, targetLevel), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->SetRenderTarget(targetLevel, depth), D3D_OK);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 128u);
    EXPECT_EQ(viewport.Height, 128u);
    // A null target keeps the current one; a null depth buffer draws without.
    ASSERT_EQ(device->SetRenderTarget(nullptr, nullptr), D3D_OK);
    IDirect3DSurface8* current = nullptr;
    EXPECT_EQ(device->GetDepthStencilSurface(&current), D3DERR_NOTFOUND);
    EXPECT_EQ(current, nullptr);
    ASSERT_EQ(device->GetRenderTarget(&current), D3D_OK);
    EXPECT_EQ(current, targetLevel);
    current->Release();
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    for (IUnknown8* object : std::initializer_list<IUnknown8*>{targetLevel, plainLevel, smallDepth,
                                                               depth, target, plain})
        object->Release();
}

// A Clear aimed at a texture fills the texture, not the back buffer.
TEST_F(RecordingTextures, ClearsFillTheCurrentTarget) {
    IDirect3DTexture8* target = renderTexture(8, 8);
    IDirect3DSurface8 *level = nullptr, *backBuffer = nullptr, *ownDepth = nullptr;
    target->GetSurfaceLevel(0, &level);
    device->GetRenderTarget(&backBuffer);
    device->GetDepthStencilSurface(&ownDepth);
    ASSERT_EQ(device->SetRenderTarget(level, nullptr), D3D_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff123456, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device->SetRenderTarget(backBuffer, ownDepth), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(level->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<const DWORD*>(locked.pBits)[63], 0xff123456u);
    level->UnlockRect();
    auto* recording = static_cast<RecordingDevice*>(device);
    EXPECT_EQ(recording->pixels()[0], 0u);
    for (IUnknown8* object : std::initializer_list<IUnknown8*>{level, backBuffer, ownDepth, target})
        object->Release();
}

// Direct3D resets only without default-pool resources: render targets and
// depth-stencil surfaces must be given back first. One held only by the
// device (still the render target) is let go by the reset itself.
TEST_F(RecordingTextures, AResetNeedsEveryDefaultPoolResourceGivenBack) {
    IDirect3DTexture8* target = renderTexture(16, 16);
    IDirect3DSurface8* depth = nullptr;
    device->CreateDepthStencilSurface(16, 16, D3DFMT_D16, D3DMULTISAMPLE_NONE, &depth);
    D3DPRESENT_PARAMETERS again = params;
    EXPECT_EQ(device->Reset(&again), D3DERR_INVALIDCALL);
    IDirect3DSurface8* level = nullptr;
    target->GetSurfaceLevel(0, &level);
    device->SetRenderTarget(level, depth);
    level->Release();
    target->Release();
    depth->Release();
    again = params;
    EXPECT_EQ(device->Reset(&again), D3D_OK);
    IDirect3DSurface8* current = nullptr;
    device->GetRenderTarget(&current);
    D3DSURFACE_DESC desc{};
    current->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 64u);  // the back buffer again
    current->Release();
}

TEST_F(RecordingTextures, DrawsFromMemoryAreCheckedAndLoggedVertexByVertex) {
    struct Vertex {
        float x, y, z, rhw;
        DWORD colour;
    } strip[4] = {
        {0, 0, 0.5f, 1, 0xff0000ff}, {8, 0, 0.5f, 1, 1}, {0, 8, 0.5f, 1, 2}, {8, 8, 0.5f, 1, 3}};
    ASSERT_EQ(device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE), D3D_OK);
    DWORD shader = 0;
    device->GetVertexShader(&shader);
    EXPECT_EQ(shader, DWORD(D3DFVF_XYZRHW | D3DFVF_DIFFUSE));
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(Vertex)),
              D3DERR_INVALIDCALL);  // outside a scene
    device->BeginScene();
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(Vertex)), D3D_OK);
    const RecordedCall* draw = log.last("DrawPrimitiveUP");
    ASSERT_NE(draw, nullptr);
    ASSERT_EQ(draw->args.size(), 3u + 4 * 5);
    EXPECT_EQ(draw->args[3 + 4], double(0xff0000ff));
    EXPECT_EQ(draw->args[3 + 5], 8);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, 12), D3DERR_INVALIDCALL);
    device->EndScene();
}

}  // namespace
