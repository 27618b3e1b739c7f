#include "platform/d3d8/recording/recording_device.h"

#include <algorithm>

#include "platform/d3d8/clear_regions.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/d3d8/recording/recording_surface.h"

RecordingDevice::RecordingDevice(RecordingDirect3D& direct3d, UINT adapter, D3DDEVTYPE type,
                                 HWND focusWindow, DWORD behavior,
                                 const D3DPRESENT_PARAMETERS& params)
    : direct3d_(direct3d),
      recorder_(direct3d.log(), "Device", direct3d.config().forcedResults),
      adapter_(adapter),
      type_(type),
      focusWindow_(focusWindow),
      behavior_(behavior),
      params_(params) {
    direct3d_.AddRef();
    backBuffer_ = std::make_unique<RecordingSurface>(
        *this, Recorder(direct3d.log(), "Surface", direct3d.config().forcedResults));
    resetBackBuffer();
}

RecordingDevice::~RecordingDevice() {
    blocks_.clear();  // they may hold the last hold on textures and buffers
    bound_.unbindAll(nullptr, nullptr);
    autoDepth_.reset();
    backBuffer_.reset();
    direct3d_.Release();
}

void RecordingDevice::resetBackBuffer() {
    if (direct3d_.config().simulatePixels)
        pixels_.assign(std::size_t(params_.BackBufferWidth) * params_.BackBufferHeight, 0);
    const bool software = (behavior_ & D3DCREATE_SOFTWARE_VERTEXPROCESSING) != 0;
    state_ = defaultDeviceState(params_.EnableAutoDepthStencil != FALSE, software,
                                params_.BackBufferWidth, params_.BackBufferHeight);
    inScene_ = false;
    bound_.unbindAll(nullptr, nullptr);
    autoDepth_.reset();
    if (params_.EnableAutoDepthStencil)
        autoDepth_ = std::make_unique<RecordingAutoDepthSurface>(
            bufferRecorder("Surface"),
            depthStencilDesc(params_.BackBufferWidth, params_.BackBufferHeight,
                             params_.AutoDepthStencilFormat),
            *this);
    restoreOwnTargets();
}

void RecordingDevice::restoreOwnTargets() {
    bound_.unbindAll(backBuffer_.get(), autoDepth_.get());
}

void RecordingDevice::loseDevice() {
    loss_ = Loss::Lost;
    lostPollsLeft_ = direct3d_.config().deviceLoss.lostPolls;
}

bool simulateDeviceLoss(IDirect3DDevice8* device) {
    auto* recording = dynamic_cast<RecordingDevice*>(device);
    if (recording == nullptr) return false;
    recording->loseDevice();
    return true;
}

ULONG RecordingDevice::AddRef() {
    const ULONG count = RefCounted::AddRef();
    recorder_.note("AddRef", {}, HRESULT(count));
    return count;
}

ULONG RecordingDevice::Release() {
    recorder_.note("Release", {}, HRESULT(references() == 0 ? 0 : references() - 1));
    return RefCounted::Release();
}

HRESULT RecordingDevice::TestCooperativeLevel() {
    return recorder_.call("TestCooperativeLevel", {}, [&] {
        if (loss_ == Loss::None) return D3D_OK;
        if (loss_ == Loss::Lost && lostPollsLeft_ > 0) {
            --lostPollsLeft_;
            return D3DERR_DEVICELOST;
        }
        loss_ = Loss::NotReset;
        return D3DERR_DEVICENOTRESET;
    });
}

HRESULT RecordingDevice::GetDirect3D(IDirect3D8** direct3d) {
    return recorder_.call("GetDirect3D", {}, [&] {
        if (direct3d == nullptr) return D3DERR_INVALIDCALL;
        direct3d_.AddRef();
        *direct3d = &direct3d_;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
    return recorder_.call("GetCreationParameters", {}, [&] {
        if (parameters == nullptr) return D3DERR_INVALIDCALL;
        *parameters = {adapter_, type_, focusWindow_, behavior_};
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS8* caps) {
    return recorder_.call("GetDeviceCaps", {}, [&] {
        if (caps == nullptr) return D3DERR_INVALIDCALL;
        *caps = direct3d_.deviceType(adapter_, type_)->caps;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetDisplayMode(D3DDISPLAYMODE* mode) {
    return recorder_.call("GetDisplayMode", {}, [&] {
        if (mode == nullptr) return D3DERR_INVALIDCALL;
        if (params_.Windowed)
            *mode = direct3d_.adapter(adapter_)->desktopMode;
        else
            *mode = {params_.BackBufferWidth, params_.BackBufferHeight,
                     params_.FullScreen_RefreshRateInHz, params_.BackBufferFormat};
        return D3D_OK;
    });
}

HRESULT RecordingDevice::Reset(D3DPRESENT_PARAMETERS* params) {
    return recorder_.callWith(
        "Reset", [&] { return presentParameterArgs(params); }, [&] { return reset(params); });
}

HRESULT RecordingDevice::reset(D3DPRESENT_PARAMETERS* params) {
    if (params == nullptr) return D3DERR_INVALIDCALL;
    if (loss_ == Loss::Lost && lostPollsLeft_ > 0) return D3DERR_DEVICELOST;
    if (backBuffer_->references() > 0) return D3DERR_INVALIDCALL;  // still held by the caller
    if (autoDepth_ && autoDepth_->references() > 0) return D3DERR_INVALIDCALL;
    restoreOwnTargets();
    // Direct3D resets only when no default-pool resource is left.
    if (defaultPoolResources_ > 0) return D3DERR_INVALIDCALL;
    completePresentParameters(*params, direct3d_.adapter(adapter_)->desktopMode.Format, 0, 0);
    const HRESULT checked = checkPresentParameters(*params);
    if (FAILED(checked)) return checked;
    params_ = *params;
    resetBackBuffer();
    loss_ = Loss::None;
    return D3D_OK;
}

HRESULT RecordingDevice::Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                                 const void* dirtyRegion) {
    return recorder_.call(
        "Present", {address(source), address(dest), address(overrideWindow), address(dirtyRegion)},
        [&] { return present(); });
}

HRESULT RecordingDevice::present() {
    if (loss_ != Loss::None) return D3DERR_DEVICELOST;
    ++presents_;
    const unsigned lossAfter = direct3d_.config().deviceLoss.afterPresents;
    if (lossAfter > 0 && presents_ == lossAfter) loseDevice();
    return D3D_OK;
}

HRESULT RecordingDevice::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                                       IDirect3DSurface8** surface) {
    return recorder_.call("GetBackBuffer", {double(index), double(type)}, [&] {
        if (surface == nullptr || index >= params_.BackBufferCount) return D3DERR_INVALIDCALL;
        backBuffer_->AddRef();
        *surface = backBuffer_.get();
        return D3D_OK;
    });
}

void RecordingDevice::SetCursorPosition(int x, int y, DWORD flags) {
    recorder_.note("SetCursorPosition", {double(x), double(y), double(flags)}, 0);
}

BOOL RecordingDevice::ShowCursor(BOOL show) {
    const BOOL previous = cursorShown_ ? TRUE : FALSE;
    cursorShown_ = show != FALSE;
    recorder_.note("ShowCursor", {double(show)}, previous);
    return previous;
}

HRESULT RecordingDevice::BeginScene() {
    return recorder_.call("BeginScene", {}, [&] {
        if (inScene_) return D3DERR_INVALIDCALL;
        inScene_ = true;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::EndScene() {
    return recorder_.call("EndScene", {}, [&] {
        if (!inScene_) return D3DERR_INVALIDCALL;
        inScene_ = false;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                               float z, DWORD stencil) {
    const auto args = [&] {
        std::vector<double> spelled{double(count), double(flags), double(color), double(z),
                                    double(stencil)};
        for (DWORD i = 0; rects != nullptr && i < count; ++i)
            spelled.insert(spelled.end(), {double(rects[i].x1), double(rects[i].y1),
                                           double(rects[i].x2), double(rects[i].y2)});
        return spelled;
    };
    return recorder_.callWith("Clear", args, [&] {
        const bool hasDepth = bound_.depthStencil() != nullptr;
        const bool hasStencil = (flags & D3DCLEAR_STENCIL) != 0 && depthHasStencil();  // if asked
        const HRESULT checked = checkClear(count, rects, flags, hasDepth, hasStencil);
        if (FAILED(checked)) return checked;
        if ((flags & D3DCLEAR_TARGET) && direct3d_.config().simulatePixels)
            forEachClearRegion(count, rects, state_.viewport,
                               [&](const D3DRECT& rect) { fillTarget(rect, color); });
        return D3D_OK;
    });
}

void RecordingDevice::fill(const D3DRECT& rect, D3DCOLOR color) {
    for (LONG y = rect.y1; y < rect.y2; ++y) {
        const auto row = pixels_.begin() + std::ptrdiff_t(y) * params_.BackBufferWidth;
        std::fill(row + rect.x1, row + rect.x2, color);
    }
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT8* viewport) {
    const auto args = [viewport] {
        if (viewport == nullptr) return std::vector<double>{};
        return std::vector<double>{double(viewport->X),     double(viewport->Y),
                                   double(viewport->Width), double(viewport->Height),
                                   double(viewport->MinZ),  double(viewport->MaxZ)};
    };
    return recorder_.callWith("SetViewport", args, [&] {
        if (StateBlock* block = blocks_.recording()) return block->setViewport(viewport);
        const D3DSURFACE_DESC target = renderTargetDesc();
        return state_.setViewport(viewport, target.Width, target.Height);
    });
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT8* viewport) {
    return recorder_.call("GetViewport", {}, [&] {
        if (viewport == nullptr) return D3DERR_INVALIDCALL;
        *viewport = state_.viewport;
        return D3D_OK;
    });
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
    const auto args = [type, matrix] {
        std::vector<double> spelled{double(type)};
        for (int i = 0; matrix != nullptr && i < 16; ++i)
            spelled.push_back(matrix->m[i / 4][i % 4]);
        return spelled;
    };
    return recorder_.callWith("SetTransform", args, [&] {
        if (StateBlock* block = blocks_.recording()) return block->setTransform(type, matrix);
        return state_.setTransform(type, matrix);
    });
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
    return recorder_.call("GetTransform", {double(type)},
                          [&] { return state_.getTransform(type, matrix); });
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    return recorder_.call("SetRenderState", {double(state), double(value)}, [&] {
        if (StateBlock* block = blocks_.recording()) return block->setRenderState(state, value);
        return state_.setRenderState(state, value);
    });
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    return recorder_.call("GetRenderState", {double(state)},
                          [&] { return state_.getRenderState(state, value); });
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD value) {
    return recorder_.call("SetTextureStageState", {double(stage), double(type), double(value)},
                          [&] {
                              if (StateBlock* block = blocks_.recording())
                                  return block->setStageState(stage, type, value);
                              return state_.setStageState(stage, type, value);
                          });
}

HRESULT RecordingDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD* value) {
    return recorder_.call("GetTextureStageState", {double(stage), double(type)},
                          [&] { return state_.getStageState(stage, type, value); });
}
