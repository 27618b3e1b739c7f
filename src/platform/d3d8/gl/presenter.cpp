#include "platform/d3d8/gl/presenter.h"

#include "platform/d3d8/gl/framebuffer.h"

bool presentBackBuffer(GlContext& context, const Framebuffer& backBuffer) {
    if (!context.presentsToWindow()) return false;
    int width = 0, height = 0;
    context.drawableSize(width, height);
    copyToWindowFramebuffer(context.gl(), backBuffer, width, height);
    context.swap();
    return true;
}

void copyToWindowFramebuffer(const GlApi& gl, const Framebuffer& backBuffer, int width,
                             int height) {
    const GLint sourceWidth = GLint(backBuffer.width());
    const GLint sourceHeight = GLint(backBuffer.height());
    const bool stretched = width != sourceWidth || height != sourceHeight;
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, backBuffer.id());
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Row 0 of the back buffer is the top; row 0 of the window is the bottom.
    gl.BlitFramebuffer(0, 0, sourceWidth, sourceHeight, 0, height, width, 0, GL_COLOR_BUFFER_BIT,
                       stretched ? GL_LINEAR : GL_NEAREST);
    gl.BindFramebuffer(GL_FRAMEBUFFER, backBuffer.id());
}

void leavePresentationMode(GlContext& context) {
    if (!context.presentsToWindow()) return;
    if (SDL_GetWindowFlags(context.window()) & SDL_WINDOW_FULLSCREEN)
        SDL_SetWindowFullscreen(context.window(), 0);
}

int swapIntervalFor(const D3DPRESENT_PARAMETERS& params) {
    if (params.Windowed)
        return params.SwapEffect == D3DSWAPEFFECT_COPY_VSYNC ? 1 : ADAPTIVE_SWAP_INTERVAL;
    return params.FullScreen_PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1;
}

int setSwapInterval(int interval) {
    if (SDL_GL_SetSwapInterval(interval) == 0) return interval;
    if (interval == ADAPTIVE_SWAP_INTERVAL && SDL_GL_SetSwapInterval(1) == 0) return 1;
    return SDL_GL_GetSwapInterval();
}

void applyPresentationMode(GlContext& context, const D3DPRESENT_PARAMETERS& params) {
    if (context.presentsToWindow()) {
        SDL_Window* window = context.window();
        if (params.Windowed) {
            SDL_SetWindowFullscreen(window, 0);
        } else {
            SDL_DisplayMode mode{};
            mode.w = int(params.BackBufferWidth);
            mode.h = int(params.BackBufferHeight);
            mode.refresh_rate = int(params.FullScreen_RefreshRateInHz);
            SDL_SetWindowDisplayMode(window, &mode);
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
        }
    }
    setSwapInterval(swapIntervalFor(params));
}
