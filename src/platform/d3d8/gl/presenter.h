// Showing the back buffer in the window.
#pragma once

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/gl/gl_context.h"

class Framebuffer;

// Copies the back buffer to the window, turned right way up for GL's
// bottom-up window and stretched to the drawable, and swaps. A context on a
// hidden window of its own shows nothing: false, and GL is left alone.
bool presentBackBuffer(GlContext& context, const Framebuffer& backBuffer);

// The copy itself: the back buffer into the window's framebuffer of the
// given drawable size, top row at the top. Leaves the back buffer bound.
void copyToWindowFramebuffer(const GlApi& gl, const Framebuffer& backBuffer, int width, int height);

// Puts the window into the presentation's mode: full screen at the back
// buffer's size, or back into a window; and sets the swap interval.
void applyPresentationMode(GlContext& context, const D3DPRESENT_PARAMETERS& params);
// Back to the desktop's own mode when the device goes, as a full-screen
// Direct3D device gives the display back when it is released.
void leavePresentationMode(GlContext& context);

// SDL's swap interval for adaptive vertical sync: wait for the vertical
// blank, but show a frame that missed it at once.
constexpr int ADAPTIVE_SWAP_INTERVAL = -1;

// The swap interval a presentation asks for. A window presents in step
// with the display, as a composited desktop shows a windowed Direct3D
// program: adaptive, so that a frame that misses a blank is not held back a
// whole refresh; COPY_VSYNC asks for every blank strictly. Full screen
// waits for the vertical blank unless the interval is IMMEDIATE. Only a
// window the viewer sees is paced: presenting without one (tessal-capture,
// tests) never swaps and never waits.
int swapIntervalFor(const D3DPRESENT_PARAMETERS& params);

// Sets the context's swap interval, or the nearest the driver offers (every
// blank where it has no adaptive sync); returns the interval in effect.
int setSwapInterval(int interval);
