// The recording backend: what it answers, what it logs, and how it loses a device.
#include <gtest/gtest.h>

#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

D3DPRESENT_PARAMETERS windowedParams(UINT width = 320, UINT height = 240) {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = width;
    params.BackBufferHeight = height;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    return params;
}

class RecordingBackend : public ::testing::Test {
  protected:
    void TearDown() override {
        if (device) device->Release();
        if (direct3d) direct3d->Release();
    }

    void start(const RecordingConfig& config = {}) {
        direct3d = createRecordingDirect3D(config, log);
    }

    HRESULT createDevice(D3DPRESENT_PARAMETERS params = windowedParams()) {
        presentParams = params;
        return direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentParams, &device);
    }

    std::vector<DWORD> readBackBuffer() {
        IDirect3DSurface8* surface = nullptr;
        EXPECT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
        const auto* bits = static_cast<const DWORD*>(locked.pBits);
        std::vector<DWORD> pixels(
            bits, bits + presentParams.BackBufferWidth * presentParams.BackBufferHeight);
        surface->UnlockRect();
        surface->Release();
        return pixels;
    }

    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    D3DPRESENT_PARAMETERS presentParams{};
};

TEST_F(RecordingBackend, AnswersEnumerationFromTheConfigAndLogsArguments) {
    RecordingConfig config;
    config.adapters[0].description = "Test card";
    config.adapters[0].modes = {{640, 480, 60, D3DFMT_R5G6B5}, {800, 600, 75, D3DFMT_X8R8G8B8}};
    start(config);

    EXPECT_EQ(direct3d->GetAdapterCount(), 1u);
    D3DADAPTER_IDENTIFIER8 identifier{};
    ASSERT_EQ(direct3d->GetAdapterIdentifier(0, 0, &identifier), D3D_OK);
    EXPECT_STREQ(identifier.Description, "Test card");
    EXPECT_EQ(direct3d->GetAdapterModeCount(0), 2u);
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(direct3d->EnumAdapterModes(0, 1, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 800u);
    EXPECT_EQ(mode.RefreshRate, 75u);
    EXPECT_EQ(direct3d->EnumAdapterModes(0, 2, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3d->GetAdapterIdentifier(1, 0, &identifier), D3DERR_INVALIDCALL);

    EXPECT_EQ(log.names(), (std::vector<std::string>{"GetAdapterCount", "GetAdapterIdentifier",
                                                     "GetAdapterModeCount", "EnumAdapterModes",
                                                     "EnumAdapterModes", "GetAdapterIdentifier"}));
    EXPECT_EQ(log.first("GetAdapterCount")->result, 1);
    EXPECT_EQ(log.first("EnumAdapterModes")->args, (std::vector<double>{0, 1}));
    EXPECT_EQ(log.last("EnumAdapterModes")->result, D3DERR_INVALIDCALL);
    EXPECT_EQ(log.first("GetAdapterIdentifier")->object, "Direct3D");
}

TEST_F(RecordingBackend, ChecksFormatsAgainstTheConfiguredLists) {
    RecordingConfig config;
    config.adapters[0].hal.displayFormats = {D3DFMT_R5G6B5, D3DFMT_X8R8G8B8};
    config.adapters[0].hal.depthFormats = {D3DFMT_D24S8};
    start(config);

    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, FALSE),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, TRUE),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_X8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X1R5G5B5, D3DFMT_X1R5G5B5, FALSE),
              D3DERR_NOTAVAILABLE);

    const auto checkDepth = [&](D3DFORMAT depth) {
        return direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                           D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, depth);
    };
    EXPECT_EQ(checkDepth(D3DFMT_D24S8), D3D_OK);
    EXPECT_EQ(checkDepth(D3DFMT_D16), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8,
                                               D3DFMT_D24S8),
              D3D_OK);
    EXPECT_EQ(direct3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8,
                                               D3DFMT_D16),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(log.first("CheckDeviceFormat")->args,
              (std::vector<double>{0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                   D3DRTYPE_SURFACE, D3DFMT_D24S8}));
}

TEST_F(RecordingBackend, AnAbsentDeviceTypeFailsEverywhere) {
    RecordingConfig config;
    config.adapters[0].ref.present = false;
    start(config);
    D3DCAPS8 caps{};
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_REF, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE),
              D3DERR_NOTAVAILABLE);
    D3DPRESENT_PARAMETERS params = windowedParams();
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
}

TEST_F(RecordingBackend, CreateDeviceLogsThePresentationParameters) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    const RecordedCall* call = log.first("CreateDevice");
    ASSERT_NE(call, nullptr);
    ASSERT_EQ(call->args.size(), 4u + 13u);
    EXPECT_EQ(call->args[1], D3DDEVTYPE_HAL);
    EXPECT_EQ(call->args[3], D3DCREATE_HARDWARE_VERTEXPROCESSING);
    EXPECT_EQ(call->args[4], 320);              // BackBufferWidth
    EXPECT_EQ(call->args[6], D3DFMT_X8R8G8B8);  // BackBufferFormat
    EXPECT_EQ(call->args[12], TRUE);            // EnableAutoDepthStencil
    EXPECT_EQ(call->args[13], D3DFMT_D16);      // AutoDepthStencilFormat
    EXPECT_EQ(call->result, D3D_OK);
}

TEST_F(RecordingBackend, ForcedResultsReplaceTheCall) {
    RecordingConfig config;
    config.forcedResults["CreateDevice"] = D3DERR_OUTOFVIDEOMEMORY;
    start(config);
    EXPECT_EQ(createDevice(), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(log.last("CreateDevice")->result, D3DERR_OUTOFVIDEOMEMORY);
}

TEST_F(RecordingBackend, InvalidCreationArgumentsAreRefused) {
    start();
    D3DPRESENT_PARAMETERS params = windowedParams();
    EXPECT_EQ(
        direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_PUREDEVICE, &params, &device),
        D3DERR_INVALIDCALL);
    params.AutoDepthStencilFormat = D3DFMT_X8R8G8B8;
    EXPECT_EQ(createDevice(params), D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3d->CreateDevice(3, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
}

TEST_F(RecordingBackend, ReferencesFollowComRules) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    EXPECT_EQ(direct3d->AddRef(), 3u);  // ours, the device's, this one
    EXPECT_EQ(direct3d->Release(), 2u);

    IDirect3DSurface8* surface = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    EXPECT_EQ(device->AddRef(), 3u);  // ours, the surface's, this one
    EXPECT_EQ(device->Release(), 2u);
    EXPECT_EQ(device->Release(), 1u);  // the surface keeps the device alive
    device = nullptr;
    EXPECT_EQ(surface->Release(), 0u);  // the device goes, giving back its Direct3D reference
    EXPECT_EQ(direct3d->Release(), 0u);
    direct3d = nullptr;
    EXPECT_EQ(log.last("Release")->object, "Direct3D");
}

TEST_F(RecordingBackend, ConfiguredLossRunsThroughLostAndNotReset) {
    RecordingConfig config;
    config.deviceLoss = {2, 2};  // lost after the second present, two polls while lost
    start(config);
    ASSERT_EQ(createDevice(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&presentParams), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Reset(&presentParams), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST_F(RecordingBackend, LossCanBeTriggeredFromOutside) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    ASSERT_TRUE(simulateDeviceLoss(device));
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Reset(&presentParams), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
}

TEST_F(RecordingBackend, ResetRestoresDefaultsAndResizes) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DVIEWPORT8 small{10, 10, 20, 20, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&small), D3D_OK);

    IDirect3DSurface8* surface = nullptr;
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface);
    D3DPRESENT_PARAMETERS bigger = windowedParams(640, 480);
    EXPECT_EQ(device->Reset(&bigger), D3DERR_INVALIDCALL);  // the back buffer is still held
    surface->Release();
    ASSERT_EQ(device->Reset(&bigger), D3D_OK);

    DWORD cull = 0;
    device->GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ(cull, D3DCULL_CCW);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 640u);
    EXPECT_EQ(viewport.Height, 480u);
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    surface->Release();
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Usage, D3DUSAGE_RENDERTARGET);
}

TEST_F(RecordingBackend, ClearFillsTheViewportOrTheGivenRectangles) {
    start();
    ASSERT_EQ(createDevice(windowedParams(8, 4)), D3D_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000010, 1.0f, 0),
              D3D_OK);
    D3DVIEWPORT8 right{4, 0, 4, 4, 0.0f, 1.0f};
    device->SetViewport(&right);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff200000, 1.0f, 0), D3D_OK);
    const D3DRECT rect{0, 3, 6, 9};  // clipped to the viewport: x 4..6, y 3..4
    ASSERT_EQ(device->Clear(1, &rect, D3DCLEAR_TARGET, 0xff003000, 1.0f, 0), D3D_OK);

    const std::vector<DWORD> pixels = readBackBuffer();
    EXPECT_EQ(pixels[0 * 8 + 3], 0xff000010u);
    EXPECT_EQ(pixels[0 * 8 + 4], 0xff200000u);
    EXPECT_EQ(pixels[3 * 8 + 3], 0xff000010u);
    EXPECT_EQ(pixels[3 * 8 + 5], 0xff003000u);
    EXPECT_EQ(pixels[3 * 8 + 6], 0xff200000u);
    EXPECT_EQ(log.last("Clear")->args,
              (std::vector<double>{1, D3DCLEAR_TARGET, 0xff003000, 1.0, 0, 0, 3, 6, 9}));
}

TEST_F(RecordingBackend, ClearRefusesBuffersThatDoNotExist) {
    start();
    D3DPRESENT_PARAMETERS params = windowedParams();
    params.EnableAutoDepthStencil = FALSE;
    ASSERT_EQ(createDevice(params), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(2, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK);
}

// Without pixels a device still checks every call, keeps its state and logs
// what it is told, but fills nothing: its back buffer reads as zeros. With
// the log off too it leaves no trace at all.
TEST_F(RecordingBackend, WithoutPixelsCallsAreCheckedAndLoggedButFillNothing) {
    RecordingConfig config;
    config.simulatePixels = false;
    start(config);
    D3DPRESENT_PARAMETERS params = windowedParams(8, 4);
    params.EnableAutoDepthStencil = FALSE;
    ASSERT_EQ(createDevice(params), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff00ff00, 1.0f, 0), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(log.count("Clear"), 2u);
    EXPECT_EQ(readBackBuffer(), std::vector<DWORD>(32, 0u));

    log.setRecording(false);
    log.clear();
    EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, nullptr, 16), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA), D3D_OK);
    DWORD blend = 0;
    EXPECT_EQ(device->GetRenderState(D3DRS_SRCBLEND, &blend), D3D_OK);
    EXPECT_EQ(blend, DWORD(D3DBLEND_SRCALPHA));
    EXPECT_EQ(log.size(), 0u);
}

TEST_F(RecordingBackend, ScenesDoNotNest) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    log.clear();
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(log.count("BeginScene"), 2u);
    EXPECT_EQ(log.indexOf("EndScene", 1), 3);
}

TEST_F(RecordingBackend, StateCallsAreLoggedAndReadBack) {
    start();
    ASSERT_EQ(createDevice(), D3D_OK);
    device->SetTextureStageState(1, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    DWORD filter = 0;
    device->GetTextureStageState(1, D3DTSS_MINFILTER, &filter);
    EXPECT_EQ(filter, D3DTEXF_LINEAR);
    EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_MINFILTER, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(log.first("SetTextureStageState")->args,
              (std::vector<double>{1, D3DTSS_MINFILTER, D3DTEXF_LINEAR}));

    D3DMATRIX matrix{};
    matrix.m[3][0] = 5.0f;
    device->SetTransform(D3DTS_VIEW, &matrix);
    EXPECT_EQ(log.last("SetTransform")->args.size(), 17u);
    EXPECT_EQ(log.last("SetTransform")->args[13], 5.0);
    EXPECT_EQ(device->ShowCursor(FALSE), TRUE);
    EXPECT_EQ(device->ShowCursor(TRUE), FALSE);
}

}  // namespace
