// Vertex layouts of flexible vertex formats, vertex counts of primitives,
// and the device state's change tracking.
#include <gtest/gtest.h>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/texture_levels.h"
#include "platform/d3d8/vertex_layout.h"

namespace {

TEST(VertexLayout, PartsLieInFvfOrder) {
    const VertexLayout image =
        vertexLayout(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1);
    EXPECT_TRUE(image.valid);
    EXPECT_TRUE(image.pretransformed);
    EXPECT_EQ(image.positionFloats, 4u);
    EXPECT_EQ(image.diffuseOffset, 16);
    EXPECT_EQ(image.specularOffset, 20);
    EXPECT_EQ(image.texCoordOffset[0], 24u);
    EXPECT_EQ(image.stride, 32u);
    const VertexLayout mesh = vertexLayout(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX2);
    EXPECT_FALSE(mesh.pretransformed);
    EXPECT_EQ(mesh.normalOffset, 12);
    EXPECT_EQ(mesh.diffuseOffset, -1);
    EXPECT_EQ(mesh.texCoordCount, 2u);
    EXPECT_EQ(mesh.texCoordOffset[1], 32u);
    EXPECT_EQ(mesh.stride, 40u);
    // Blend weights, point size and coordinate sets of 1, 3 and 4 floats.
    const DWORD sized = D3DFVF_XYZB2 | D3DFVF_PSIZE | (3 << D3DFVF_TEXCOUNT_SHIFT) | (3u << 16) |
                        (1u << 18) | (2u << 20);
    const VertexLayout odd = vertexLayout(sized);
    EXPECT_EQ(odd.positionFloats, 5u);
    EXPECT_EQ(odd.texCoordOffset[0], 24u);
    EXPECT_EQ(odd.texCoordFloats[0], 1u);
    EXPECT_EQ(odd.texCoordFloats[1], 3u);
    EXPECT_EQ(odd.texCoordFloats[2], 4u);
    EXPECT_EQ(odd.stride, 24u + 4 + 12 + 16);
}

TEST(VertexLayout, FormatsWithoutAPositionOrWithTooManySetsAreInvalid) {
    EXPECT_FALSE(vertexLayout(0).valid);
    EXPECT_FALSE(vertexLayout(D3DFVF_DIFFUSE | D3DFVF_TEX1).valid);
    EXPECT_FALSE(vertexLayout(D3DFVF_XYZ | (9 << D3DFVF_TEXCOUNT_SHIFT)).valid);
}

TEST(VertexLayout, PrimitiveCountsBecomeVertexCounts) {
    EXPECT_EQ(primitiveVertexCount(D3DPT_POINTLIST, 5), 5u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_LINELIST, 5), 10u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_LINESTRIP, 5), 6u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_TRIANGLELIST, 5), 15u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_TRIANGLESTRIP, 2), 4u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_TRIANGLEFAN, 2), 4u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_TRIANGLELIST, 0), 0u);
    EXPECT_EQ(primitiveVertexCount(D3DPRIMITIVETYPE(7), 1), 0u);
    EXPECT_EQ(primitiveVertexCount(D3DPT_TRIANGLELIST, 0x80000000u), 0u);  // would overflow
}

TEST(TextureLevels, ChainsHalveDownToOnePixel) {
    EXPECT_EQ(fullLevelCount(1, 1), 1u);
    EXPECT_EQ(fullLevelCount(256, 256), 9u);
    EXPECT_EQ(fullLevelCount(640, 8), 10u);
    EXPECT_EQ(levelSide(640, 9), 1u);
    EXPECT_EQ(levelSide(5, 1), 2u);
    EXPECT_EQ(levelSide(5, 40), 1u);
    TextureShape shape;
    EXPECT_EQ(checkTextureCreation(12, 5, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, 4096, shape),
              D3D_OK);
    EXPECT_EQ(shape.levels, 4u);
    const TextureLevels levels(shape, true);
    EXPECT_EQ(levels.desc(2).Width, 3u);
    EXPECT_EQ(levels.desc(2).Height, 1u);
    EXPECT_EQ(levels.pitch(1), 24u);
}

TEST(TextureLevels, CreationRefusesWhatDirect3DRefuses) {
    TextureShape shape;
    const auto check = [&](UINT w, UINT h, UINT levels, DWORD usage, D3DFORMAT format,
                           D3DPOOL pool) {
        return checkTextureCreation(w, h, levels, usage, format, pool, 4096, shape);
    };
    EXPECT_EQ(check(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4097, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED),
              D3DERR_INVALIDCALL);  // 3 at most
    EXPECT_EQ(check(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_L8, D3DPOOL_DEFAULT),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4, 4, 1, D3DUSAGE_DEPTHSTENCIL, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(check(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT), D3D_OK);
}

TEST(TextureLevels, LocksAreSingleAndBoundedAndTellWhetherTheyWrote) {
    TextureShape shape;
    ASSERT_EQ(checkTextureCreation(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, 4096, shape),
              D3D_OK);
    TextureLevels levels(shape, true);
    D3DLOCKED_RECT locked{};
    const RECT area{2, 1, 4, 3};
    ASSERT_EQ(levels.lock(0, &locked, &area, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 32);
    EXPECT_EQ(static_cast<BYTE*>(locked.pBits), levels.bytes(0) + 32 + 8);
    EXPECT_EQ(levels.lock(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
    bool written = false;
    EXPECT_EQ(levels.unlock(0, written), D3D_OK);
    EXPECT_TRUE(written);
    EXPECT_EQ(levels.unlock(0, written), D3DERR_INVALIDCALL);
    ASSERT_EQ(levels.lock(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    levels.unlock(0, written);
    EXPECT_FALSE(written);
    const RECT outside{6, 0, 9, 1};
    EXPECT_EQ(levels.lock(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(levels.lock(1, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    TextureLevels target(shape, false);  // levels only in the backend
    EXPECT_EQ(target.lock(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
}

// A draw sends only what changed: setting a state to its value marks nothing.
TEST(DeviceStateChanges, SettingTheValueAStateHasMarksNothing) {
    DeviceState state = defaultDeviceState(true, false, 64, 64);
    state.dirtyGroups = 0;
    state.dirtySamplers = 0;
    state.dirtyStageOps = 0;
    ASSERT_EQ(state.setRenderState(D3DRS_ZENABLE, D3DZB_TRUE), D3D_OK);
    ASSERT_EQ(state.setStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE), D3D_OK);
    ASSERT_EQ(state.setStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT), D3D_OK);
    EXPECT_EQ(state.dirtyGroups, 0u);
    EXPECT_EQ(state.dirtyStageOps, 0);
    EXPECT_EQ(state.dirtySamplers, 0);
    ASSERT_EQ(state.setRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    EXPECT_TRUE(state.isDirty(StateGroup::DepthTest));
}

}  // namespace
