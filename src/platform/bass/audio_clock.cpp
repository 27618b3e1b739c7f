#include "platform/bass/audio_clock.h"

#include <SDL2/SDL_timer.h>

double audioClockSeconds() {
    static const double ticksPerSecond = double(SDL_GetPerformanceFrequency());
    return double(SDL_GetPerformanceCounter()) / ticksPerSecond;
}
