#include "platform/d3d8/gl/gl_context.h"

namespace {

constexpr int HIDDEN_WINDOW_SIZE = 64;

void requestCoreProfile() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

SDL_Window* createHiddenWindow() {
    return SDL_CreateWindow("Tessal", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                            HIDDEN_WINDOW_SIZE, HIDDEN_WINDOW_SIZE,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

}  // namespace

std::unique_ptr<GlContext> GlContext::create(SDL_Window* window) {
    requestCoreProfile();
    const bool ownsWindow = window == nullptr;
    if (ownsWindow) window = createHiddenWindow();
    if (window == nullptr) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        if (ownsWindow) SDL_DestroyWindow(window);
        return nullptr;
    }
    std::unique_ptr<GlContext> created(new GlContext(window, ownsWindow, context));
    if (!created->gl_.load()) return nullptr;
    return created;
}

GlContext::GlContext(SDL_Window* window, bool ownsWindow, SDL_GLContext context)
    : window_(window), ownsWindow_(ownsWindow), context_(context) {}

GlContext::~GlContext() {
    if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    if (ownsWindow_) SDL_DestroyWindow(window_);
}

void GlContext::makeCurrent() {
    if (SDL_GL_GetCurrentContext() != context_ || SDL_GL_GetCurrentWindow() != window_)
        SDL_GL_MakeCurrent(window_, context_);
}

void GlContext::drawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(window_, &width, &height);
}

void GlContext::swap() {
    SDL_GL_SwapWindow(window_);
}
