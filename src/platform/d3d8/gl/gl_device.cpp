#include "platform/d3d8/gl/gl_device.h"

#include <algorithm>

#include "platform/d3d8/clear_regions.h"
#include "platform/d3d8/gl/gl_surface.h"
#include "platform/d3d8/gl/presenter.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/win32/window_handle.h"

namespace {

void windowSize(SDL_Window* window, UINT& width, UINT& height) {
    int w = 0, h = 0;
    if (window != nullptr) SDL_GetWindowSize(window, &w, &h);
    width = UINT(std::max(w, 0));
    height = UINT(std::max(h, 0));
}

float channel(D3DCOLOR color, int shift) {
    return float((color >> shift) & 0xff) / 255.0f;
}

GLbitfield clearBuffers(DWORD flags) {
    GLbitfield buffers = 0;
    if (flags & D3DCLEAR_TARGET) buffers |= GL_COLOR_BUFFER_BIT;
    if (flags & D3DCLEAR_ZBUFFER) buffers |= GL_DEPTH_BUFFER_BIT;
    if (flags & D3DCLEAR_STENCIL) buffers |= GL_STENCIL_BUFFER_BIT;
    return buffers;
}

}  // namespace

HRESULT GlDevice::create(const GlDeviceSetup& setup, HWND focusWindow,
                         D3DPRESENT_PARAMETERS& params, IDirect3DDevice8** device) {
    if (!validBehavior(setup.behavior)) return D3DERR_INVALIDCALL;
    SDL_Window* window = sdlWindowOf(params.hDeviceWindow ? params.hDeviceWindow : focusWindow);
    UINT width, height;
    windowSize(window, width, height);
    completePresentParameters(params, setup.desktopMode.Format, width, height);
    const HRESULT checked = checkPresentParameters(params);
    if (FAILED(checked)) return checked;
    std::unique_ptr<GlContext> context = GlContext::create(window);
    if (context == nullptr) return D3DERR_NOTAVAILABLE;
    context->makeCurrent();
    auto* created = new GlDevice(setup, std::move(context));
    created->focusWindow_ = focusWindow;
    const HRESULT started = created->startPresentation(params);
    if (FAILED(started)) {
        created->Release();
        return started;
    }
    *device = created;
    return D3D_OK;
}

GlDevice::GlDevice(const GlDeviceSetup& setup, std::unique_ptr<GlContext> context)
    : direct3d_(setup.direct3d),
      adapter_(setup.adapter),
      type_(setup.type),
      behavior_(setup.behavior),
      desktopMode_(setup.desktopMode),
      context_(std::move(context)) {
    direct3d_.AddRef();
    backBufferSurface_ = std::make_unique<GlSurface>(*this);
    pipeline_ = std::make_unique<GlPipeline>(context_->gl());
}

GlDevice::~GlDevice() {
    context_->makeCurrent();
    leavePresentationMode(*context_);
    blocks_.clear();  // they may hold the last hold on textures and buffers
    bound_.unbindAll(nullptr, nullptr);
    pipeline_.reset();
    autoDepth_.reset();
    backBufferSurface_.reset();
    backBuffer_.reset();
    context_.reset();
    direct3d_.Release();
}

// On failure the previous back buffer and parameters stay, so the device
// remains usable.
HRESULT GlDevice::startPresentation(const D3DPRESENT_PARAMETERS& params) {
    const D3DFORMAT depth =
        params.EnableAutoDepthStencil ? params.AutoDepthStencilFormat : D3DFMT_UNKNOWN;
    std::unique_ptr<Framebuffer> target =
        Framebuffer::create(context_->gl(), params.BackBufferWidth, params.BackBufferHeight, depth);
    if (target == nullptr) return D3DERR_OUTOFVIDEOMEMORY;
    applyPresentationMode(*context_, params);
    bound_.unbindAll(nullptr, nullptr);
    backBuffer_ = std::move(target);
    params_ = params;
    const bool software = (behavior_ & D3DCREATE_SOFTWARE_VERTEXPROCESSING) != 0;
    state_ = defaultDeviceState(params.EnableAutoDepthStencil != FALSE, software,
                                params.BackBufferWidth, params.BackBufferHeight);
    state_.markAllDirty();
    inScene_ = false;
    autoDepth_ =
        params.EnableAutoDepthStencil ? std::make_unique<GlAutoDepthSurface>(*this) : nullptr;
    restoreOwnTargets();
    context_->gl().BindFramebuffer(GL_FRAMEBUFFER, backBuffer_->id());
    pipeline_->forgetBindings();
    return D3D_OK;
}

std::vector<DWORD> GlDevice::readBackBuffer(const RECT& area) {
    context_->makeCurrent();
    return backBuffer_->readPixels(area);  // binds only the framebuffer read from
}

HRESULT GlDevice::TestCooperativeLevel() {
    return D3D_OK;
}  // a GL context is never lost

HRESULT GlDevice::GetDirect3D(IDirect3D8** direct3d) {
    if (direct3d == nullptr) return D3DERR_INVALIDCALL;
    direct3d_.AddRef();
    *direct3d = &direct3d_;
    return D3D_OK;
}

HRESULT GlDevice::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
    if (parameters == nullptr) return D3DERR_INVALIDCALL;
    *parameters = {adapter_, type_, focusWindow_, behavior_};
    return D3D_OK;
}

HRESULT GlDevice::GetDeviceCaps(D3DCAPS8* caps) {
    return direct3d_.GetDeviceCaps(adapter_, type_, caps);
}

HRESULT GlDevice::GetDisplayMode(D3DDISPLAYMODE* mode) {
    if (mode == nullptr) return D3DERR_INVALIDCALL;
    if (params_.Windowed) return direct3d_.GetAdapterDisplayMode(adapter_, mode);
    *mode = {params_.BackBufferWidth, params_.BackBufferHeight, params_.FullScreen_RefreshRateInHz,
             params_.BackBufferFormat};
    return D3D_OK;
}

HRESULT GlDevice::Reset(D3DPRESENT_PARAMETERS* params) {
    if (params == nullptr) return D3DERR_INVALIDCALL;
    const HRESULT resettable = checkResettable();
    if (FAILED(resettable)) return resettable;
    UINT width, height;
    windowSize(context_->presentsToWindow() ? context_->window() : nullptr, width, height);
    completePresentParameters(*params, desktopMode_.Format, width, height);
    const HRESULT checked = checkPresentParameters(*params);
    if (FAILED(checked)) return checked;
    context_->makeCurrent();
    return startPresentation(*params);
}

HRESULT GlDevice::Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                          const void* dirtyRegion) {
    context_->makeCurrent();
    // The copy to the window binds other framebuffers.
    if (presentBackBuffer(*context_, *backBuffer_)) pipeline_->forgetTarget();
    return D3D_OK;
}

HRESULT GlDevice::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) {
    if (surface == nullptr || index >= params_.BackBufferCount) return D3DERR_INVALIDCALL;
    backBufferSurface_->AddRef();
    *surface = backBufferSurface_.get();
    return D3D_OK;
}

// The system cursor already sits where the mouse is; moving it here would
// only echo a motion event back to the window.
void GlDevice::SetCursorPosition(int x, int y, DWORD flags) {}

BOOL GlDevice::ShowCursor(BOOL show) {
    const BOOL previous = cursorShown_ ? TRUE : FALSE;
    cursorShown_ = show != FALSE;
    SDL_ShowCursor(cursorShown_ ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

HRESULT GlDevice::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT GlDevice::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

HRESULT GlDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) {
    const bool hasStencil = (flags & D3DCLEAR_STENCIL) != 0 && depthHasStencil();  // if asked
    const HRESULT checked =
        checkClear(count, rects, flags, bound_.depthStencil() != nullptr, hasStencil);
    if (FAILED(checked)) return checked;
    context_->makeCurrent();
    bindTarget();
    const GlApi& gl = context_->gl();
    gl.ClearColor(channel(color, 16), channel(color, 8), channel(color, 0), channel(color, 24));
    gl.ClearDepth(std::clamp(z, 0.0f, 1.0f));
    gl.ClearStencil(GLint(stencil));
    // Clear ignores the write masks; the next draw sets them again.
    pipeline_->openWriteMasks(state_);
    gl.Enable(GL_SCISSOR_TEST);
    forEachClearRegion(count, rects, state_.viewport,
                       [&](const D3DRECT& region) { clearRegion(region, clearBuffers(flags)); });
    gl.Disable(GL_SCISSOR_TEST);
    return D3D_OK;
}

// The target is stored top-down, so Direct3D's rectangle is GL's scissor box.
void GlDevice::clearRegion(const D3DRECT& region, GLbitfield buffers) {
    const GlApi& gl = context_->gl();
    gl.Scissor(region.x1, region.y1, region.x2 - region.x1, region.y2 - region.y1);
    gl.Clear(buffers);
}

HRESULT GlDevice::SetViewport(const D3DVIEWPORT8* viewport) {
    if (StateBlock* block = blocks_.recording()) return block->setViewport(viewport);
    const D3DSURFACE_DESC target = renderTargetDesc();
    return state_.setViewport(viewport, target.Width, target.Height);
}

HRESULT GlDevice::GetViewport(D3DVIEWPORT8* viewport) {
    if (viewport == nullptr) return D3DERR_INVALIDCALL;
    *viewport = state_.viewport;
    return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
    if (StateBlock* block = blocks_.recording()) return block->setTransform(type, matrix);
    return state_.setTransform(type, matrix);
}

HRESULT GlDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
    return state_.getTransform(type, matrix);
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (StateBlock* block = blocks_.recording()) return block->setRenderState(state, value);
    return state_.setRenderState(state, value);
}

HRESULT GlDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    return state_.getRenderState(state, value);
}

HRESULT GlDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (StateBlock* block = blocks_.recording()) return block->setStageState(stage, type, value);
    return state_.setStageState(stage, type, value);
}

HRESULT GlDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    return state_.getStageState(stage, type, value);
}
