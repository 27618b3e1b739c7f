// The surfaces shared by all capture effects. Between captures
// sharedCaptureDepth holds the 512 × 512 depth-stencil surface made for
// rendering into capture textures (the program's only reference to it);
// while a capture runs it holds the depth-stencil surface that was current
// when the capture began, and savedRenderTarget the render target of then.
// Neither keeps a reference of its own on the device's surfaces.
#pragma once

#include "platform/d3d8/d3d8.h"

inline IDirect3DSurface8* sharedCaptureDepth = nullptr;
inline IDirect3DSurface8* savedRenderTarget = nullptr;
// A begin layer has switched the target and no end layer has switched it back.
inline bool captureRunning = false;

constexpr UINT CAPTURE_DEPTH_SIZE = 512;

// Makes the shared depth surface, in the format of the device's current
// depth-stencil surface, unless it exists. False when the device has no
// depth-stencil surface or the new one cannot be made.
bool createCaptureDepth(IDirect3DDevice8* device);
// Switches to the capture texture's top level with the shared depth
// surface. False (and nothing changed) when the device refuses the pair,
// for example a texture larger than the depth surface.
bool beginCapture(IDirect3DDevice8* device, IDirect3DTexture8* texture);
// Back to the render target and depth-stencil surface of before the capture.
void endCapture(IDirect3DDevice8* device);
// Ends a running capture and releases the shared depth surface.
void releaseCaptureDepth(IDirect3DDevice8* device);

// Around a device reset: the shared depth surface lives in the default
// pool, so it is released before the reset and made again after it.
void invalidateCaptureSurfaces(IDirect3DDevice8* device);
void restoreCaptureSurfaces(IDirect3DDevice8* device);
