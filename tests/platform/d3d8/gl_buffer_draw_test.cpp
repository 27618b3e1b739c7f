// Draws from vertex and index buffers on the GL backend, and what a draw
// sends GL when the state did not change.
#include <gtest/gtest.h>

#include <cstring>

#include "gl_test_device.h"
#include "platform/d3d8/gl/gl_device.h"

namespace {

// A quad from x0 to x1 over the target's full height, as a strip.
void quad(ScreenVertex* out, float x0, float x1, DWORD colour) {
    const float x[4] = {x0, x1, x0, x1}, y[4] = {0, 0, 8, 8};
    for (int i = 0; i < 4; ++i) out[i] = {x[i], y[i], 0.5f, 1.0f, colour, 0, 0, 0};
}

class GlBufferDraws : public GlTestDevice {
  protected:
    void SetUp() override {
        GlTestDevice::SetUp();
        if (direct3d == nullptr) return;
        createDevice(8, 8, false);
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    }
    void TearDown() override {
        if (device) {
            device->SetStreamSource(0, nullptr, 0);
            device->SetIndices(nullptr, 0);
        }
        for (IUnknown8* buffer : buffers) buffer->Release();
        GlTestDevice::TearDown();
    }

    IDirect3DVertexBuffer8* vertexBuffer(D3DPOOL pool, const void* data, UINT bytes) {
        IDirect3DVertexBuffer8* buffer = nullptr;
        EXPECT_EQ(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, pool, &buffer), D3D_OK);
        fill(buffer, data, bytes);
        buffers.push_back(buffer);
        return buffer;
    }

    IDirect3DIndexBuffer8* indexBuffer(D3DPOOL pool, D3DFORMAT format, const void* data,
                                       UINT bytes) {
        IDirect3DIndexBuffer8* buffer = nullptr;
        EXPECT_EQ(device->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, format, pool, &buffer),
                  D3D_OK);
        fill(buffer, data, bytes);
        buffers.push_back(buffer);
        return buffer;
    }

    template <class Buffer>
    static void fill(Buffer* buffer, const void* data, UINT bytes) {
        BYTE* bytesOut = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &bytesOut, 0), D3D_OK);
        std::memcpy(bytesOut, data, bytes);
        buffer->Unlock();
    }

    DWORD pixel(int x, int y) { return readBackBuffer()[std::size_t(y) * 8 + x] & 0xffffff; }

    std::vector<IUnknown8*> buffers;
};

// Four decoy vertices come first: only the base vertex index skips them.
TEST_F(GlBufferDraws, IndexedDrawsOffsetIndicesByTheBaseVertexIndex) {
    ScreenVertex vertices[8];
    quad(vertices, 0, 8, 0xff00ff00);
    quad(vertices + 4, 0, 4, 0xffff0000);
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    device->SetStreamSource(0, vertexBuffer(D3DPOOL_MANAGED, vertices, sizeof vertices),
                            sizeof(ScreenVertex));
    const WORD strip[4] = {0, 1, 2, 3};
    device->SetIndices(indexBuffer(D3DPOOL_MANAGED, D3DFMT_INDEX16, strip, sizeof strip), 4);
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(pixel(1, 4), 0xff0000u);
    EXPECT_EQ(pixel(6, 4), 0u);
    // Other indices into the same vertices: the stale ones would draw the decoy.
    const WORD shifted[4] = {4, 5, 6, 7};
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device->SetIndices(indexBuffer(D3DPOOL_MANAGED, D3DFMT_INDEX16, shifted, sizeof shifted), 0);
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(pixel(1, 4), 0xff0000u);
    EXPECT_EQ(pixel(6, 4), 0u);

    // A default-pool pair, 32-bit indices read from index 2 on, as a list.
    ScreenVertex right[6];
    quad(right, 0, 8, 0xff00ff00);
    quad(right + 2, 4, 8, 0xff0000ff);
    device->SetStreamSource(0, vertexBuffer(D3DPOOL_DEFAULT, right, sizeof right),
                            sizeof(ScreenVertex));
    const DWORD list[8] = {7, 7, 0, 1, 2, 2, 1, 3};
    device->SetIndices(indexBuffer(D3DPOOL_DEFAULT, D3DFMT_INDEX32, list, sizeof list), 2);
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 2, 2), D3D_OK);
    EXPECT_EQ(pixel(1, 4), 0xff0000u);
    EXPECT_EQ(pixel(6, 4), 0x0000ffu);
}

// New bytes in a buffer already drawn from reach the next draw.
TEST_F(GlBufferDraws, DrawPrimitiveReadsFromTheStartVertexAndSeesNewContents) {
    ScreenVertex vertices[8];
    quad(vertices, 0, 8, 0xff00ff00);
    quad(vertices + 4, 0, 4, 0xffff0000);
    IDirect3DVertexBuffer8* buffer = vertexBuffer(D3DPOOL_MANAGED, vertices, sizeof vertices);
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4, 2), D3D_OK);
    EXPECT_EQ(pixel(1, 4), 0xff0000u);
    EXPECT_EQ(pixel(6, 4), 0u);
    quad(vertices + 4, 0, 4, 0xffffff00);
    fill(buffer, vertices, sizeof vertices);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4, 2), D3D_OK);
    EXPECT_EQ(pixel(1, 4), 0xffff00u);
}

// Counts the program switches, uniform and attribute calls the device makes.
struct GlCallCounter {
    explicit GlCallCounter(GlApi& api) : gl(api), original(api) {
        active = this;
        gl.UseProgram = [](GLuint p) { ++active->programs, active->original.UseProgram(p); };
        gl.Uniform1f = [](GLint l, GLfloat x) {
            ++active->uniforms, active->original.Uniform1f(l, x);
        };
        gl.Uniform2f = [](GLint l, GLfloat x, GLfloat y) {
            ++active->uniforms, active->original.Uniform2f(l, x, y);
        };
        gl.Uniform4fv = [](GLint l, GLsizei n, const GLfloat* v) {
            ++active->vectorArrays, active->original.Uniform4fv(l, n, v);
        };
        gl.UniformMatrix3fv = [](GLint l, GLsizei n, GLboolean t, const GLfloat* v) {
            ++active->matrices, active->original.UniformMatrix3fv(l, n, t, v);
        };
        gl.UniformMatrix4fv = [](GLint l, GLsizei n, GLboolean t, const GLfloat* v) {
            ++active->matrices, active->original.UniformMatrix4fv(l, n, t, v);
        };
        gl.VertexAttribPointer = [](GLuint i, GLint n, GLenum t, GLboolean b, GLsizei s,
                                    const void* p) {
            ++active->attributes, active->original.VertexAttribPointer(i, n, t, b, s, p);
        };
    }
    ~GlCallCounter() { gl = original; }
    void reset() { programs = uniforms = vectorArrays = matrices = attributes = 0; }

    GlApi& gl;
    const GlApi original;
    int programs = 0, uniforms = 0, vectorArrays = 0, matrices = 0, attributes = 0;
    static GlCallCounter* active;
};
GlCallCounter* GlCallCounter::active = nullptr;

// A lit mesh drawn again with nothing changed sends GL nothing but the draw;
// a new world matrix sends the transform and not the lights or material.
TEST_F(GlBufferDraws, UnchangedStateSendsNoUniformsOrPrograms) {
    ModelVertex vertices[4];
    const float x[4] = {-1, 1, -1, 1}, y[4] = {1, 1, -1, -1};
    for (int i = 0; i < 4; ++i) vertices[i] = {x[i], y[i], 0.5f, 0, 0, -1, 0xffffffff};
    const WORD strip[4] = {0, 1, 2, 3};
    device->SetVertexShader(MODEL_VERTEX_FVF);
    device->SetStreamSource(0, vertexBuffer(D3DPOOL_MANAGED, vertices, sizeof vertices),
                            sizeof(ModelVertex));
    device->SetIndices(indexBuffer(D3DPOOL_MANAGED, D3DFMT_INDEX16, strip, sizeof strip), 0);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 1};
    light.Direction = {0, 0, 1};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    const D3DMATERIAL8 material{{1, 1, 1, 1}, {}, {}, {}, 0};
    device->SetMaterial(&material);

    GlCallCounter counter(static_cast<GlDevice*>(device)->glEntryPoints());
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_GT(counter.vectorArrays, 0);  // lights and material, once
    counter.reset();
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(counter.programs + counter.uniforms + counter.vectorArrays + counter.matrices +
                  counter.attributes,
              0);

    const D3DMATRIX world = scalingMatrix(0.5f, 0.5f, 1.0f);
    device->SetTransform(D3DTS_WORLD, &world);
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_GT(counter.matrices, 0);
    EXPECT_EQ(counter.vectorArrays + counter.programs + counter.attributes, 0);

    // Another program in between: switching back sends nothing it already has.
    EXPECT_EQ(drawQuad(0, 0, 1, 1, 0xff0000ff), D3D_OK);
    device->SetVertexShader(MODEL_VERTEX_FVF);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    counter.reset();
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(counter.programs, 1);
    EXPECT_EQ(counter.uniforms + counter.vectorArrays + counter.matrices + counter.attributes, 0);
    EXPECT_EQ(pixel(4, 4), 0xffffffu);  // lit, and within the half-size square
    EXPECT_EQ(pixel(0, 7), 0u);
}

}  // namespace
