// Rescaling of A8R8G8B8 images, channel by channel, with the filters of the
// texture loaders: point, box (the exact area average) and triangle (a tent
// as wide as the scale when shrinking, linear interpolation when growing).
#pragma once

#include <vector>

#include "platform/d3d8/d3d8types.h"

enum class ResampleFilter { Point, Box, Triangle };

// The image of sourceWidth × sourceHeight pixels (rows top first) at
// width × height; all sizes at least 1.
std::vector<DWORD> resampleImage(const std::vector<DWORD>& source, UINT sourceWidth,
                                 UINT sourceHeight, UINT width, UINT height, ResampleFilter filter);
