// The lines `tessal-y3d convert` prints about what it made.
#pragma once

#include <string>

#include "scene_conversion.h"

// "nodes: 3 meshes, 1 camera, ..." and the rest, one fact a line.
std::string describeConversion(const ConversionSummary& summary, std::size_t textures);
