// Every test binary runs headless and silent unless told otherwise: SDL's
// offscreen video driver (real OpenGL through Mesa) and dummy audio driver.
#include <stdlib.h>

namespace {

const bool headless = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

}  // namespace
