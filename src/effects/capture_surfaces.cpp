#include "effects/capture_surfaces.h"

namespace {

// Whether the shared depth surface existed when the device was lost and no
// capture layer has been destroyed since.
bool captureDepthToRestore = false;

}  // namespace

bool createCaptureDepth(IDirect3DDevice8* device) {
    if (sharedCaptureDepth) return true;
    IDirect3DSurface8* current = nullptr;
    if (FAILED(device->GetDepthStencilSurface(&current)) || current == nullptr) return false;
    D3DSURFACE_DESC desc{};
    current->GetDesc(&desc);
    current->Release();
    return SUCCEEDED(device->CreateDepthStencilSurface(CAPTURE_DEPTH_SIZE, CAPTURE_DEPTH_SIZE,
                                                       desc.Format, D3DMULTISAMPLE_NONE,
                                                       &sharedCaptureDepth));
}

bool beginCapture(IDirect3DDevice8* device, IDirect3DTexture8* texture) {
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(texture->GetSurfaceLevel(0, &surface))) return false;
    IDirect3DSurface8* depth = nullptr;
    IDirect3DSurface8* target = nullptr;
    device->GetDepthStencilSurface(&depth);
    device->GetRenderTarget(&target);
    const bool switched = SUCCEEDED(device->SetRenderTarget(surface, sharedCaptureDepth));
    if (switched) {
        sharedCaptureDepth = depth;
        savedRenderTarget = target;
        captureRunning = true;
    }
    surface->Release();
    if (depth) depth->Release();
    if (target) target->Release();
    return switched;
}

void endCapture(IDirect3DDevice8* device) {
    IDirect3DSurface8* captureDepth = nullptr;
    device->GetDepthStencilSurface(&captureDepth);
    device->SetRenderTarget(savedRenderTarget, sharedCaptureDepth);
    sharedCaptureDepth = captureDepth;
    captureRunning = false;
    if (captureDepth) captureDepth->Release();
}

void releaseCaptureDepth(IDirect3DDevice8* device) {
    captureDepthToRestore = false;
    if (captureRunning && device) endCapture(device);
    if (sharedCaptureDepth == nullptr) return;
    sharedCaptureDepth->Release();
    sharedCaptureDepth = nullptr;
}

void invalidateCaptureSurfaces(IDirect3DDevice8* device) {
    const bool existed = sharedCaptureDepth != nullptr;
    releaseCaptureDepth(device);
    captureDepthToRestore = existed;
}

void restoreCaptureSurfaces(IDirect3DDevice8* device) {
    if (captureDepthToRestore) createCaptureDepth(device);
    captureDepthToRestore = false;
}
