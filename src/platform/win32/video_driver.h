// What SDL's video driver means for windows: "offscreen" and "dummy" show
// nothing. SDL falls back to them by itself when it finds no display; the
// player must then say there is no display rather than play unseen, unless
// such a driver was asked for by name (SDL_VIDEODRIVER), as tests do.
#pragma once

bool driverShowsNothing(const char* driver);
// requestedDrivers: the SDL_VIDEODRIVER setting, a comma-separated list or
// null.
bool fellBackToDriverWithoutDisplay(const char* driver, const char* requestedDrivers);
