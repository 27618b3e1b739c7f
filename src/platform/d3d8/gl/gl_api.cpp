#include "platform/d3d8/gl/gl_api.h"

#include <SDL.h>

bool GlApi::load() {
    bool complete = true;
#define TESSAL_GL_LOAD(type, name)                                    \
    name = reinterpret_cast<type>(SDL_GL_GetProcAddress("gl" #name)); \
    complete = complete && name != nullptr;
    TESSAL_GL_FUNCTIONS(TESSAL_GL_LOAD)
#undef TESSAL_GL_LOAD
    return complete;
}
