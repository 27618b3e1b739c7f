// Vertex and index buffers on both backends: creation checks, descriptions,
// locking ranges, nesting, what reaches the memory copy, and device lifetime.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/gl/gl_buffer.h"
#include "platform/d3d8/recording/recording_buffer.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

D3DPRESENT_PARAMETERS windowedParams() {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 16;
    params.BackBufferHeight = 16;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    return params;
}

TEST(BufferCreationChecks, RefuseWhatDirect3DRefuses) {
    EXPECT_EQ(checkVertexBufferCreation(32, D3DUSAGE_WRITEONLY, D3DPOOL_MANAGED), D3D_OK);
    EXPECT_EQ(checkVertexBufferCreation(0, 0, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkVertexBufferCreation(32, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(checkVertexBufferCreation(32, D3DUSAGE_DYNAMIC, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkVertexBufferCreation(32, D3DUSAGE_DYNAMIC, D3DPOOL_DEFAULT), D3D_OK);
    EXPECT_EQ(checkVertexBufferCreation(32, 0, D3DPOOL_SCRATCH), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkIndexBufferCreation(2, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED), D3D_OK);
    EXPECT_EQ(checkIndexBufferCreation(2, 0, D3DFMT_INDEX32, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
    EXPECT_EQ(checkIndexBufferCreation(8, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED), D3DERR_INVALIDCALL);
}

TEST(BufferStorageLocks, HandOutRangesInsideTheBufferOnly) {
    BufferStorage storage(16);
    BYTE* data = nullptr;
    BufferStorage::Range written;
    EXPECT_EQ(storage.lock(4, 0, &data, 0), D3D_OK);  // size 0: to the end
    std::memset(data, 0xab, 12);
    EXPECT_EQ(storage.unlock(written), D3D_OK);
    EXPECT_EQ(written.begin, 4u);
    EXPECT_EQ(written.end, 16u);
    EXPECT_EQ(storage.data()[3], 0);
    EXPECT_EQ(storage.data()[4], 0xab);
    EXPECT_EQ(storage.lock(8, 9, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(storage.lock(17, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(storage.lock(0xffffffffu, 2, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(storage.lock(8, 0xfffffffcu, &data, 0), D3DERR_INVALIDCALL);  // wraps around
    EXPECT_EQ(storage.lock(0, 4, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(storage.unlock(written), D3DERR_INVALIDCALL);
}

TEST(BufferStorageLocks, NestedLocksReportTheUnionOnceAndReadOnlyLocksNothing) {
    BufferStorage storage(64);
    BYTE* data = nullptr;
    BufferStorage::Range written;
    storage.lock(8, 8, &data, 0);
    storage.lock(32, 4, &data, 0);
    EXPECT_EQ(storage.unlock(written), D3D_OK);
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(storage.locked());
    EXPECT_EQ(storage.unlock(written), D3D_OK);
    EXPECT_EQ(written.begin, 8u);
    EXPECT_EQ(written.end, 36u);
    storage.lock(0, 0, &data, D3DLOCK_READONLY);
    storage.unlock(written);
    EXPECT_TRUE(written.empty());
}

class RecordingBuffers : public ::testing::Test {
  protected:
    void SetUp() override {
        direct3d = createRecordingDirect3D({}, log);
        D3DPRESENT_PARAMETERS params = windowedParams();
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
                  D3D_OK);
    }
    void TearDown() override {
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        direct3d->Release();
    }

    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};

TEST_F(RecordingBuffers, LogCreationAndLocksAndKeepTheWrittenBytes) {
    IDirect3DVertexBuffer8* vertices = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0x112, D3DPOOL_MANAGED, &vertices),
              D3D_OK);
    EXPECT_EQ(log.last("CreateVertexBuffer")->args, (std::vector<double>{64, 8, 0x112, 1}));
    D3DVERTEXBUFFER_DESC desc{};
    ASSERT_EQ(vertices->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_VERTEXDATA);
    EXPECT_EQ(desc.Type, D3DRTYPE_VERTEXBUFFER);
    EXPECT_EQ(desc.Size, 64u);
    EXPECT_EQ(desc.FVF, 0x112u);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    BYTE* data = nullptr;
    ASSERT_EQ(vertices->Lock(0, 64, &data, 0), D3D_OK);
    data[63] = 7;
    ASSERT_EQ(vertices->Unlock(), D3D_OK);
    EXPECT_EQ(log.last("Lock")->object, "VertexBuffer");
    EXPECT_EQ(log.last("Lock")->args, (std::vector<double>{0, 64, 0}));
    EXPECT_EQ(recordedBytes(vertices)->data()[63], 7);
    EXPECT_EQ(vertices->Release(), 0u);
}

TEST_F(RecordingBuffers, IndexBuffersDescribeTheirFormatAndRefuseBadOnes) {
    IDirect3DIndexBuffer8* indices = nullptr;
    EXPECT_EQ(device->CreateIndexBuffer(1, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(indices, nullptr);
    ASSERT_EQ(device->CreateIndexBuffer(12, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                        &indices),
              D3D_OK);
    D3DINDEXBUFFER_DESC desc{};
    indices->GetDesc(&desc);
    EXPECT_EQ(desc.Format, D3DFMT_INDEX16);
    EXPECT_EQ(desc.Type, D3DRTYPE_INDEXBUFFER);
    EXPECT_EQ(desc.Size, 12u);
    EXPECT_EQ(log.last("GetDesc")->object, "IndexBuffer");
    indices->Release();
}

TEST_F(RecordingBuffers, ABufferKeepsItsDeviceAliveUntilReleased) {
    IDirect3DVertexBuffer8* vertices = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(32, 0, 0x112, D3DPOOL_MANAGED, &vertices), D3D_OK);
    EXPECT_EQ(device->Release(), 1u);  // the buffer still holds the device ...
    device = nullptr;
    BYTE* data = nullptr;
    EXPECT_EQ(vertices->Lock(0, 0, &data, 0), D3D_OK);  // ... but the device lives on
    vertices->Unlock();
    EXPECT_EQ(vertices->Release(), 0u);
}

TEST_F(RecordingBuffers, DefaultPoolBuffersMustGoBeforeAReset) {
    IDirect3DIndexBuffer8* managed = nullptr;
    IDirect3DVertexBuffer8* unmanaged = nullptr;
    ASSERT_EQ(device->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &managed), D3D_OK);
    ASSERT_EQ(device->CreateVertexBuffer(32, 0, 0x112, D3DPOOL_DEFAULT, &unmanaged), D3D_OK);
    D3DPRESENT_PARAMETERS params = windowedParams();
    EXPECT_EQ(device->Reset(&params), D3DERR_INVALIDCALL);
    unmanaged->Release();
    EXPECT_EQ(device->Reset(&params), D3D_OK);  // managed buffers survive a reset
    EXPECT_EQ(managed->Release(), 0u);
}

TEST(GlBuffers, UploadWhatUnlockWritesAndReleaseCleanly) {
    IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (direct3d == nullptr) GTEST_SKIP() << "no video driver";
    D3DPRESENT_PARAMETERS params = windowedParams();
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    IDirect3DIndexBuffer8* indices = nullptr;
    ASSERT_EQ(
        device->CreateIndexBuffer(6, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices),
        D3D_OK);
    BYTE* data = nullptr;
    ASSERT_EQ(indices->Lock(0, 6, &data, 0), D3D_OK);
    const WORD values[3] = {1, 0, 2};
    std::memcpy(data, values, 6);
    EXPECT_EQ(indices->Unlock(), D3D_OK);
    EXPECT_EQ(indices->Unlock(), D3DERR_INVALIDCALL);
    auto* gl = dynamic_cast<GlIndexBuffer*>(indices);
    ASSERT_NE(gl, nullptr);
    EXPECT_NE(gl->glName(), 0u);
    EXPECT_EQ(std::memcmp(gl->storage().data(), values, 6), 0);
    IDirect3DVertexBuffer8* vertices = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(0, 0, 0x112, D3DPOOL_MANAGED, &vertices),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(indices->Release(), 0u);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(direct3d->Release(), 0u);
}

}  // namespace
