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

// The swap interval a presentation asks for: windowed presents do not wait
// unless the swap effect is COPY_VSYNC; full-screen presents wait for the
// vertical blank unless the interval is IMMEDIATE.
int swapIntervalFor(const D3DPRESENT_PARAMETERS& params);
