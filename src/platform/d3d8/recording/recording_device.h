// The device of the recording backend: keeps the state a real device would
// (render and stage states, transforms, viewport, scene nesting, a back
// buffer in memory that Clear fills) and logs every call (object "Device").
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/d3d8/bound_resources.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_state.h"
#include "platform/d3d8/recording/recorder.h"
#include "platform/d3d8/recording/recording_depth_surface.h"
#include "platform/d3d8/ref_counted.h"
#include "platform/d3d8/state_blocks.h"

class RecordingDirect3D;
class RecordingSurface;

class RecordingDevice : public RefCounted<IDirect3DDevice8> {
  public:
    RecordingDevice(RecordingDirect3D& direct3d, UINT adapter, D3DDEVTYPE type, HWND focusWindow,
                    DWORD behavior, const D3DPRESENT_PARAMETERS& params);
    ~RecordingDevice() override;

    // Makes the device lost now, as the configured loss would.
    void loseDevice();

    const DeviceState& state() const { return state_; }
    const D3DPRESENT_PARAMETERS& presentParameters() const { return params_; }
    DWORD behavior() const { return behavior_; }
    bool inScene() const { return inScene_; }
    bool cursorShown() const { return cursorShown_; }
    // The back buffer's pixels, A8R8G8B8, top row first; empty when the
    // configuration keeps no pixels.
    const std::vector<DWORD>& pixels() const { return pixels_; }

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT TestCooperativeLevel() override;
    HRESULT GetDirect3D(IDirect3D8** direct3d) override;
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    // Logged arguments: the thirteen fields of the presentation parameters.
    HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
    // Logged arguments: the four pointers.
    HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                    const void* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                          IDirect3DSurface8** surface) override;
    void SetCursorPosition(int x, int y, DWORD flags) override;
    BOOL ShowCursor(BOOL show) override;

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    // Logged arguments: count, flags, colour, z, stencil, then x1, y1, x2, y2 of each rectangle.
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    // Logged arguments: X, Y, Width, Height, MinZ, MaxZ.
    HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
    // Logged arguments: the type, then the sixteen elements row by row.
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    // Logged arguments: length, usage, vertex format (index format), pool.
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer8** buffer) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer8** buffer) override;
    // Logged arguments: width, height, levels, usage, format, pool.
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture8** texture) override;
    // Logged arguments: width, height, format, multisample type.
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                      D3DMULTISAMPLE_TYPE multiSample,
                                      IDirect3DSurface8** surface) override;
    // Logged arguments: the two surfaces' addresses.
    HRESULT SetRenderTarget(IDirect3DSurface8* renderTarget,
                            IDirect3DSurface8* depthStencil) override;
    HRESULT GetRenderTarget(IDirect3DSurface8** renderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** depthStencil) override;
    // Logged arguments: stage, the texture's address.
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
    // Logged arguments: the token (none for BeginStateBlock and EndStateBlock).
    HRESULT BeginStateBlock() override;
    HRESULT EndStateBlock(DWORD* token) override;
    HRESULT ApplyStateBlock(DWORD token) override;
    HRESULT CaptureStateBlock(DWORD token) override;
    HRESULT DeleteStateBlock(DWORD token) override;
    // Logged arguments: index, Type, Diffuse, Specular, Ambient (r, g, b, a
    // each), Position, Direction (x, y, z each), Range, Falloff,
    // Attenuation0, 1, 2, Theta, Phi.
    HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    // Logged arguments: Diffuse, Ambient, Specular, Emissive (r, g, b, a
    // each), Power.
    HRESULT SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT GetMaterial(D3DMATERIAL8* material) override;
    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT GetVertexShader(DWORD* handle) override;
    // Logged arguments: stream, the buffer's address, stride.
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
    HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) override;
    // Logged arguments: the buffer's address, base vertex index.
    HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) override;
    HRESULT GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) override;
    // Logged arguments: type, start vertex, primitive count.
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    // Logged arguments: type, minimum index, vertex count, start index, primitive count.
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                 UINT startIndex, UINT primitiveCount) override;
    // Logged arguments: type, primitive count, stride, then for each vertex
    // its parts as the current vertex format lays them out: position and
    // normal as floats, diffuse and specular as 32-bit numbers, then the
    // texture coordinates.
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                            UINT stride) override;

    // What is bound now (render target, depth-stencil surface, textures).
    const BoundResources& bound() const { return bound_; }

  private:
    enum class Loss { None, Lost, NotReset };

    void resetBackBuffer();
    HRESULT reset(D3DPRESENT_PARAMETERS* params);
    HRESULT present();
    void fill(const D3DRECT& rect, D3DCOLOR color);
    Recorder bufferRecorder(const char* object);
    UINT maxTextureSide() const;
    D3DSURFACE_DESC renderTargetDesc() const;
    bool depthHasStencil() const;
    void fillTarget(const D3DRECT& rect, D3DCOLOR color);
    HRESULT setRenderTarget(IDirect3DSurface8* renderTarget, IDirect3DSurface8* depthStencil);
    void restoreOwnTargets();

    RecordingDirect3D& direct3d_;
    Recorder recorder_;
    UINT adapter_;
    D3DDEVTYPE type_;
    HWND focusWindow_;
    DWORD behavior_;
    D3DPRESENT_PARAMETERS params_;
    DeviceState state_;
    std::vector<DWORD> pixels_;
    std::unique_ptr<RecordingSurface> backBuffer_;
    std::unique_ptr<RecordingAutoDepthSurface> autoDepth_;
    // Default-pool resources alive: Reset fails while there are any.
    std::size_t defaultPoolResources_ = 0;
    BoundResources bound_;
    StateBlocks blocks_;
    bool inScene_ = false;
    bool cursorShown_ = true;
    unsigned presents_ = 0;
    Loss loss_ = Loss::None;
    unsigned lostPollsLeft_ = 0;
};

// Makes a recording device lost; false when the device is not a recording one.
bool simulateDeviceLoss(IDirect3DDevice8* device);
