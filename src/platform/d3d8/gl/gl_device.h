// The device of the GL backend: one GL context, the back buffer as an FBO
// drawn top-down, and the raw Direct3D state sent to GL when drawn.
#pragma once

#include <memory>
#include <vector>

#include "platform/d3d8/bound_resources.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/gl_depth_surface.h"
#include "platform/d3d8/gl/gl_pipeline.h"
#include "platform/d3d8/ref_counted.h"
#include "platform/d3d8/state_blocks.h"

class GlSurface;
template <class Interface, class Desc>
class GlBuffer;
using GlIndexBuffer = GlBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

// What the Direct3D object hands a new device.
struct GlDeviceSetup {
    IDirect3D8& direct3d;
    UINT adapter;
    D3DDEVTYPE type;
    DWORD behavior;
    D3DDISPLAYMODE desktopMode;
};

class GlDevice : public RefCounted<IDirect3DDevice8> {
  public:
    // Creates the device on the SDL window of the presentation's device
    // window (or the focus window); completes `params` as Direct3D does.
    static HRESULT create(const GlDeviceSetup& setup, HWND focusWindow,
                          D3DPRESENT_PARAMETERS& params, IDirect3DDevice8** device);
    ~GlDevice() override;

    const D3DPRESENT_PARAMETERS& presentParameters() const { return params_; }
    const Framebuffer& backBuffer() const { return *backBuffer_; }
    const BoundResources& bound() const { return bound_; }
    // The generated programs made so far (one per combination of the
    // states that change the code).
    std::size_t programCount() const { return pipeline_ ? pipeline_->programCount() : 0; }
    // The GL entry points the device calls, for tests that count calls.
    GlApi& glEntryPoints() { return context_->entryPoints(); }
    // The back buffer's pixels in an area (already checked to lie inside it).
    std::vector<DWORD> readBackBuffer(const RECT& area);

    HRESULT TestCooperativeLevel() override;
    HRESULT GetDirect3D(IDirect3D8** direct3d) override;
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
    HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                    const void* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                          IDirect3DSurface8** surface) override;
    void SetCursorPosition(int x, int y, DWORD flags) override;
    BOOL ShowCursor(BOOL show) override;

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;

    // Buffers keep their bytes in memory and a copy in a GL buffer object.
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer8** buffer) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer8** buffer) override;

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture8** texture) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                      D3DMULTISAMPLE_TYPE multiSample,
                                      IDirect3DSurface8** surface) override;
    HRESULT SetRenderTarget(IDirect3DSurface8* renderTarget,
                            IDirect3DSurface8* depthStencil) override;
    HRESULT GetRenderTarget(IDirect3DSurface8** renderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** depthStencil) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
    HRESULT BeginStateBlock() override;
    HRESULT EndStateBlock(DWORD* token) override;
    HRESULT ApplyStateBlock(DWORD token) override;
    HRESULT CaptureStateBlock(DWORD token) override;
    HRESULT DeleteStateBlock(DWORD token) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT GetMaterial(D3DMATERIAL8* material) override;
    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT GetVertexShader(DWORD* handle) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
    HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) override;
    HRESULT GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                 UINT startIndex, UINT primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                            UINT stride) override;

  private:
    GlDevice(const GlDeviceSetup& setup, std::unique_ptr<GlContext> context);

    // Sizes the back buffer and sets the state to its defaults.
    HRESULT startPresentation(const D3DPRESENT_PARAMETERS& params);
    void clearRegion(const D3DRECT& region, GLbitfield buffers);
    void drawIndexed(D3DPRIMITIVETYPE type, const GlIndexBuffer& indices, UINT startIndex,
                     UINT primitiveCount);
    UINT maxTextureSide();
    // The size of the current render target.
    D3DSURFACE_DESC renderTargetDesc() const;
    bool depthHasStencil() const;
    // Makes the current render target GL's draw framebuffer.
    void bindTarget();
    // Back to the back buffer and its depth buffer, nothing bound.
    void restoreOwnTargets();
    // Before Reset: D3D_OK when nothing holds the device's own surfaces or
    // a default-pool resource.
    HRESULT checkResettable();

    IDirect3D8& direct3d_;
    UINT adapter_;
    D3DDEVTYPE type_;
    DWORD behavior_;
    HWND focusWindow_ = nullptr;
    D3DDISPLAYMODE desktopMode_;
    std::unique_ptr<GlContext> context_;
    D3DPRESENT_PARAMETERS params_{};
    std::unique_ptr<Framebuffer> backBuffer_;
    std::unique_ptr<GlSurface> backBufferSurface_;
    std::unique_ptr<GlAutoDepthSurface> autoDepth_;
    std::unique_ptr<GlPipeline> pipeline_;
    DeviceState state_;
    // Default-pool resources alive: Reset fails while there are any.
    std::size_t defaultPoolResources_ = 0;
    BoundResources bound_;
    StateBlocks blocks_;
    bool inScene_ = false;
    bool cursorShown_ = true;
};
