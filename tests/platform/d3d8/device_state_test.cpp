// The raw device state: Direct3D 8's defaults, validation and dirty groups.
#include <gtest/gtest.h>

#include "platform/d3d8/device_state.h"

namespace {

TEST(DeviceStateDefaults, RenderStatesAreDirect3DDefaults) {
    const DeviceState state = defaultDeviceState(true, false, 640, 480);
    const auto& rs = state.renderStates;
    EXPECT_EQ(rs[D3DRS_ZENABLE], DWORD(D3DZB_TRUE));
    EXPECT_EQ(rs[D3DRS_ZWRITEENABLE], DWORD(TRUE));
    EXPECT_EQ(rs[D3DRS_SRCBLEND], DWORD(D3DBLEND_ONE));
    EXPECT_EQ(rs[D3DRS_DESTBLEND], DWORD(D3DBLEND_ZERO));
    EXPECT_EQ(rs[D3DRS_CULLMODE], DWORD(D3DCULL_CCW));
    EXPECT_EQ(rs[D3DRS_ZFUNC], DWORD(D3DCMP_LESSEQUAL));
    EXPECT_EQ(rs[D3DRS_ALPHAFUNC], DWORD(D3DCMP_ALWAYS));
    EXPECT_EQ(rs[D3DRS_ALPHABLENDENABLE], DWORD(FALSE));
    EXPECT_EQ(rs[D3DRS_LIGHTING], DWORD(TRUE));
    EXPECT_EQ(rs[D3DRS_SHADEMODE], DWORD(D3DSHADE_GOURAUD));
    EXPECT_EQ(rs[D3DRS_FILLMODE], DWORD(D3DFILL_SOLID));
    EXPECT_EQ(rs[D3DRS_COLORWRITEENABLE], 0xfu);
    EXPECT_EQ(rs[D3DRS_TEXTUREFACTOR], 0xffffffffu);
    EXPECT_EQ(rs[D3DRS_DIFFUSEMATERIALSOURCE], DWORD(D3DMCS_COLOR1));
    EXPECT_EQ(rs[D3DRS_STENCILMASK], 0xffffffffu);
    EXPECT_EQ(floatFromBits(rs[D3DRS_FOGEND]), 1.0f);
    EXPECT_EQ(floatFromBits(rs[D3DRS_POINTSIZE]), 1.0f);
    EXPECT_EQ(rs[D3DRS_SOFTWAREVERTEXPROCESSING], DWORD(FALSE));
}

TEST(DeviceStateDefaults, DepthTestFollowsTheAutomaticDepthBuffer) {
    EXPECT_EQ(defaultDeviceState(false, true, 8, 8).renderStates[D3DRS_ZENABLE],
              DWORD(D3DZB_FALSE));
    EXPECT_EQ(defaultDeviceState(false, true, 8, 8).renderStates[D3DRS_SOFTWAREVERTEXPROCESSING],
              DWORD(TRUE));
}

TEST(DeviceStateDefaults, StageZeroModulatesAndTheOthersAreDisabled) {
    const DeviceState state = defaultDeviceState(true, false, 640, 480);
    const auto& stage0 = state.stageStates[0];
    EXPECT_EQ(stage0[D3DTSS_COLOROP], DWORD(D3DTOP_MODULATE));
    EXPECT_EQ(stage0[D3DTSS_ALPHAOP], DWORD(D3DTOP_SELECTARG1));
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage) {
        const auto& ts = state.stageStates[stage];
        SCOPED_TRACE(stage);
        if (stage > 0) {
            EXPECT_EQ(ts[D3DTSS_COLOROP], DWORD(D3DTOP_DISABLE));
            EXPECT_EQ(ts[D3DTSS_ALPHAOP], DWORD(D3DTOP_DISABLE));
        }
        EXPECT_EQ(ts[D3DTSS_COLORARG1], D3DTA_TEXTURE);
        EXPECT_EQ(ts[D3DTSS_COLORARG2], D3DTA_CURRENT);
        EXPECT_EQ(ts[D3DTSS_TEXCOORDINDEX], stage);
        EXPECT_EQ(ts[D3DTSS_MAGFILTER], DWORD(D3DTEXF_POINT));
        EXPECT_EQ(ts[D3DTSS_MINFILTER], DWORD(D3DTEXF_POINT));
        EXPECT_EQ(ts[D3DTSS_MIPFILTER], DWORD(D3DTEXF_NONE));
        EXPECT_EQ(ts[D3DTSS_ADDRESSU], DWORD(D3DTADDRESS_WRAP));
        EXPECT_EQ(ts[D3DTSS_ADDRESSV], DWORD(D3DTADDRESS_WRAP));
    }
}

TEST(DeviceStateDefaults, TransformsAreIdentityAndTheViewportIsTheBackBuffer) {
    const DeviceState state = defaultDeviceState(true, false, 640, 480);
    for (const D3DMATRIX& matrix : state.transforms)
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                EXPECT_EQ(matrix.m[row][column], row == column ? 1.0f : 0.0f);
    EXPECT_EQ(state.viewport.X, 0u);
    EXPECT_EQ(state.viewport.Width, 640u);
    EXPECT_EQ(state.viewport.Height, 480u);
    EXPECT_EQ(state.viewport.MaxZ, 1.0f);
}

TEST(DeviceStateChanges, SettingMarksOnlyItsGroup) {
    DeviceState state = defaultDeviceState(true, false, 64, 64);
    state.dirtyGroups = 0;
    state.dirtySamplers = 0;
    state.dirtyStageOps = 0;
    ASSERT_EQ(state.setRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA), D3D_OK);
    EXPECT_TRUE(state.isDirty(StateGroup::Blend));
    EXPECT_FALSE(state.isDirty(StateGroup::DepthTest));
    ASSERT_EQ(state.setRenderState(D3DRS_ZFUNC, D3DCMP_LESS), D3D_OK);
    EXPECT_TRUE(state.isDirty(StateGroup::DepthTest));
    ASSERT_EQ(state.setStageState(1, D3DTSS_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
    EXPECT_EQ(state.dirtySamplers, 0x2);
    EXPECT_EQ(state.dirtyStageOps, 0);
    ASSERT_EQ(state.setStageState(3, D3DTSS_COLOROP, D3DTOP_ADD), D3D_OK);
    EXPECT_EQ(state.dirtyStageOps, 0x8);
}

TEST(DeviceStateChanges, OutOfRangeIsRefusedAndChangesNothing) {
    DeviceState state = defaultDeviceState(true, false, 64, 32);
    DWORD value = 0;
    EXPECT_EQ(state.setRenderState(256, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.getRenderState(256, &value), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.setStageState(8, D3DTSS_COLOROP, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.setStageState(0, 32, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.getStageState(0, D3DTSS_COLOROP, nullptr), D3DERR_INVALIDCALL);
    const D3DMATRIX identity = identityMatrix();
    EXPECT_EQ(state.setTransform(4, &identity), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.setTransform(D3DTS_WORLD, nullptr), D3DERR_INVALIDCALL);

    const D3DVIEWPORT8 tooTall{0, 16, 64, 17, 0.0f, 1.0f};
    EXPECT_EQ(state.setViewport(&tooTall, 64, 32), D3DERR_INVALIDCALL);
    const D3DVIEWPORT8 overflowing{0xffffffffu, 0, 2, 2, 0.0f, 1.0f};
    EXPECT_EQ(state.setViewport(&overflowing, 64, 32), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.viewport.Height, 32u);
    const D3DVIEWPORT8 bottom{0, 16, 64, 16, 0.0f, 1.0f};
    EXPECT_EQ(state.setViewport(&bottom, 64, 32), D3D_OK);
}

TEST(DeviceStateChanges, TransformsAreKeptPerType) {
    DeviceState state = defaultDeviceState(true, false, 8, 8);
    D3DMATRIX view = identityMatrix(), texture = identityMatrix();
    view.m[3][2] = 5.0f;
    texture.m[0][0] = 0.4f;
    state.setTransform(D3DTS_VIEW, &view);
    state.setTransform(D3DTS_TEXTURE1, &texture);
    D3DMATRIX read{};
    state.getTransform(D3DTS_VIEW, &read);
    EXPECT_EQ(read.m[3][2], 5.0f);
    state.getTransform(D3DTS_TEXTURE1, &read);
    EXPECT_EQ(read.m[0][0], 0.4f);
    state.getTransform(D3DTS_WORLD, &read);
    EXPECT_EQ(read.m[3][2], 0.0f);
}

}  // namespace
