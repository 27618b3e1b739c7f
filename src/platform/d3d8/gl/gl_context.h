// A GL 3.3 core context and the SDL window it presents to.
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/d3d8/gl/gl_api.h"

class GlContext {
  public:
    // A context on the given window, or, for a null window, on a hidden
    // window of its own (tests and headless tools: nothing is shown). Null
    // when no GL 3.3 core context can be had.
    static std::unique_ptr<GlContext> create(SDL_Window* window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // Makes this context current on the calling thread if it is not already.
    void makeCurrent();
    const GlApi& gl() const { return gl_; }
    // The same entry points, for tests that wrap some of them to count calls.
    GlApi& entryPoints() { return gl_; }
    SDL_Window* window() const { return window_; }
    // Whether the window is a real one the viewer sees.
    bool presentsToWindow() const { return !ownsWindow_; }
    void drawableSize(int& width, int& height) const;
    void swap();

  private:
    GlContext(SDL_Window* window, bool ownsWindow, SDL_GLContext context);

    SDL_Window* window_;
    bool ownsWindow_;
    SDL_GLContext context_;
    GlApi gl_;
};
