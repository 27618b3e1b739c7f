// Checks both backends share: presentation parameters, clear regions,
// lock rectangles and format facts.
#include <gtest/gtest.h>

#include <vector>

#include "platform/d3d8/clear_regions.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/surface_info.h"

namespace {

D3DPRESENT_PARAMETERS validParams() {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 640;
    params.BackBufferHeight = 480;
    params.BackBufferFormat = D3DFMT_R5G6B5;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    return params;
}

TEST(PresentParameters, WindowedGapsAreFilledFromTheWindowAndDesktop) {
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    completePresentParameters(params, D3DFMT_X8R8G8B8, 300, 319);
    EXPECT_EQ(params.BackBufferWidth, 300u);
    EXPECT_EQ(params.BackBufferHeight, 319u);
    EXPECT_EQ(params.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(params.BackBufferCount, 1u);

    D3DPRESENT_PARAMETERS fullScreen{};
    completePresentParameters(fullScreen, D3DFMT_X8R8G8B8, 300, 319);
    EXPECT_EQ(fullScreen.BackBufferWidth, 0u);  // full screen must name its mode
    EXPECT_EQ(fullScreen.BackBufferFormat, D3DFMT_UNKNOWN);
}

TEST(PresentParameters, RefusesWhatNoDeviceCanHave) {
    EXPECT_EQ(checkPresentParameters(validParams()), D3D_OK);
    D3DPRESENT_PARAMETERS params = validParams();
    params.BackBufferHeight = 0;
    EXPECT_EQ(checkPresentParameters(params), D3DERR_INVALIDCALL);
    params = validParams();
    params.BackBufferWidth = 100000;
    EXPECT_EQ(checkPresentParameters(params), D3DERR_INVALIDCALL);
    params = validParams();
    params.BackBufferFormat = D3DFMT_D16;
    EXPECT_EQ(checkPresentParameters(params), D3DERR_INVALIDCALL);
    params = validParams();
    params.AutoDepthStencilFormat = D3DFMT_A8R8G8B8;
    EXPECT_EQ(checkPresentParameters(params), D3DERR_INVALIDCALL);
    params.EnableAutoDepthStencil = FALSE;  // the format does not matter then
    EXPECT_EQ(checkPresentParameters(params), D3D_OK);
    params.SwapEffect = D3DSWAPEFFECT(0);
    EXPECT_EQ(checkPresentParameters(params), D3DERR_INVALIDCALL);
}

TEST(PresentParameters, BehaviourNeedsExactlyOneVertexProcessing) {
    EXPECT_TRUE(validBehavior(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE));
    EXPECT_TRUE(validBehavior(D3DCREATE_SOFTWARE_VERTEXPROCESSING));
    EXPECT_TRUE(validBehavior(D3DCREATE_MIXED_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE));
    EXPECT_FALSE(validBehavior(0));
    EXPECT_FALSE(
        validBehavior(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING));
}

std::vector<D3DRECT> clearRegions(DWORD count, const D3DRECT* rects, const D3DVIEWPORT8& viewport) {
    std::vector<D3DRECT> regions;
    forEachClearRegion(count, rects, viewport,
                       [&](const D3DRECT& region) { regions.push_back(region); });
    return regions;
}

TEST(ClearRegions, WholeViewportOrClippedRectangles) {
    const D3DVIEWPORT8 viewport{10, 20, 100, 50, 0.0f, 1.0f};
    const std::vector<D3DRECT> whole = clearRegions(0, nullptr, viewport);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].x1, 10);
    EXPECT_EQ(whole[0].y2, 70);

    const D3DRECT rects[] = {{0, 0, 15, 25}, {200, 200, 300, 300}, {50, 60, 60, 60}};
    const std::vector<D3DRECT> clipped = clearRegions(3, rects, viewport);
    ASSERT_EQ(clipped.size(), 1u);  // outside and empty rectangles drop out
    EXPECT_EQ(clipped[0].x1, 10);
    EXPECT_EQ(clipped[0].y1, 20);
    EXPECT_EQ(clipped[0].x2, 15);
    EXPECT_EQ(clipped[0].y2, 25);
}

TEST(ClearRegions, ClearIsRefusedForMissingBuffersAndRectangles) {
    EXPECT_EQ(checkClear(0, nullptr, D3DCLEAR_TARGET, false, false), D3D_OK);
    EXPECT_EQ(checkClear(1, nullptr, D3DCLEAR_TARGET, true, true), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkClear(0, nullptr, D3DCLEAR_ZBUFFER, false, false), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkClear(0, nullptr, D3DCLEAR_STENCIL, true, false), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkClear(0, nullptr, D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, true, true), D3D_OK);
}

TEST(SurfaceInfo, BackBufferDescriptionAndLockAreas) {
    const D3DSURFACE_DESC desc = backBufferDesc(validParams());
    EXPECT_EQ(desc.Format, D3DFMT_R5G6B5);
    EXPECT_EQ(desc.Type, D3DRTYPE_SURFACE);
    EXPECT_EQ(desc.Usage, D3DUSAGE_RENDERTARGET);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(desc.Size, 640u * 480u * 2u);

    RECT area;
    ASSERT_TRUE(resolveLockRect(nullptr, 64, 32, area));
    EXPECT_EQ(area.right, 64);
    EXPECT_EQ(area.bottom, 32);
    const RECT inside{1, 2, 64, 32};
    EXPECT_TRUE(resolveLockRect(&inside, 64, 32, area));
    const RECT negative{-1, 0, 4, 4}, empty{4, 4, 4, 8}, beyond{0, 0, 65, 1};
    EXPECT_FALSE(resolveLockRect(&negative, 64, 32, area));
    EXPECT_FALSE(resolveLockRect(&empty, 64, 32, area));
    EXPECT_FALSE(resolveLockRect(&beyond, 64, 32, area));
}

TEST(FormatInfo, FactsAboutFormats) {
    EXPECT_EQ(bitsPerPixel(D3DFMT_X8R8G8B8), 32u);
    EXPECT_EQ(bitsPerPixel(D3DFMT_R8G8B8), 24u);
    EXPECT_EQ(bitsPerPixel(D3DFMT_A1R5G5B5), 16u);
    EXPECT_EQ(bitsPerPixel(D3DFMT_L8), 8u);
    EXPECT_EQ(bitsPerPixel(D3DFMT_DXT1), 4u);
    EXPECT_EQ(bitsPerPixel(D3DFMT_UNKNOWN), 0u);
    EXPECT_TRUE(isDepthFormat(D3DFMT_D24X4S4));
    EXPECT_FALSE(isDepthFormat(D3DFMT_INDEX16));
    EXPECT_TRUE(hasStencil(D3DFMT_D15S1));
    EXPECT_FALSE(hasStencil(D3DFMT_D24X8));
    EXPECT_TRUE(hasAlpha(D3DFMT_A8R8G8B8));
    EXPECT_FALSE(hasAlpha(D3DFMT_X8R8G8B8));
    EXPECT_TRUE(backBufferMatchesDisplay(D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8));
    EXPECT_FALSE(backBufferMatchesDisplay(D3DFMT_R5G6B5, D3DFMT_A8R8G8B8));
    EXPECT_FALSE(backBufferMatchesDisplay(D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8));
}

}  // namespace
