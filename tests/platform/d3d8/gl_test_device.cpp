#include "gl_test_device.h"

#include <cstdlib>
#include <cstring>

void GlTestDevice::SetUp() {
    direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (direct3d == nullptr) GTEST_SKIP() << "no video driver";
}

void GlTestDevice::TearDown() {
    if (device) {
        EXPECT_EQ(device->Release(), 0u);
    }
    if (direct3d) {
        EXPECT_EQ(direct3d->Release(), 0u);
    }
}

void GlTestDevice::createDevice(UINT width, UINT height, bool depth) {
    params = {};
    params.BackBufferWidth = width;
    params.BackBufferHeight = height;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = depth ? TRUE : FALSE;
    params.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
}

std::vector<DWORD> GlTestDevice::readSurface(IDirect3DSurface8* surface) {
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(surface->GetDesc(&desc), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<DWORD> pixels;
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = reinterpret_cast<const DWORD*>(
            static_cast<const std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch));
        pixels.insert(pixels.end(), row, row + desc.Width);
    }
    surface->UnlockRect();
    return pixels;
}

std::vector<DWORD> GlTestDevice::readBackBuffer() {
    IDirect3DSurface8* surface = nullptr;
    EXPECT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    std::vector<DWORD> pixels = readSurface(surface);
    surface->Release();
    return pixels;
}

HRESULT GlTestDevice::drawQuad(float left, float top, float right, float bottom, DWORD colour) {
    const ScreenVertex quad[4] = {{left, top, 0.5f, 1.0f, colour, 0, 0.0f, 0.0f},
                                  {right, top, 0.5f, 1.0f, colour, 0, 1.0f, 0.0f},
                                  {left, bottom, 0.5f, 1.0f, colour, 0, 0.0f, 1.0f},
                                  {right, bottom, 0.5f, 1.0f, colour, 0, 1.0f, 1.0f}};
    device->SetVertexShader(SCREEN_VERTEX_FVF);
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
}

HRESULT GlTestDevice::drawFacingSquare(float half, float z, D3DVECTOR normal, DWORD diffuse) {
    const float x[4] = {-half, half, -half, half}, y[4] = {half, half, -half, -half};
    ModelVertex square[4];
    for (int i = 0; i < 4; ++i) square[i] = {x[i], y[i], z, normal.x, normal.y, normal.z, diffuse};
    device->SetVertexShader(MODEL_VERTEX_FVF);
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof(ModelVertex));
}

IDirect3DTexture8* GlTestDevice::makeTexture(UINT width, UINT height,
                                             const std::vector<DWORD>& pixels) {
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(
        device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
        D3D_OK);
    if (texture == nullptr) return nullptr;
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch),
                    pixels.data() + std::size_t(y) * width, width * 4);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    return texture;
}

bool nearColour(DWORD a, DWORD b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(channelOf(a, shift) - channelOf(b, shift)) > tolerance) return false;
    return true;
}

D3DMATRIX scalingMatrix(float x, float y, float z) {
    D3DMATRIX m{};
    m.m[0][0] = x;
    m.m[1][1] = y;
    m.m[2][2] = z;
    m.m[3][3] = 1.0f;
    return m;
}

D3DMATRIX perspectiveMatrix(float nearPlane, float farPlane) {
    D3DMATRIX m{};
    m.m[0][0] = 1.0f;
    m.m[1][1] = 1.0f;
    m.m[2][2] = farPlane / (farPlane - nearPlane);
    m.m[2][3] = 1.0f;
    m.m[3][2] = -nearPlane * farPlane / (farPlane - nearPlane);
    return m;
}
