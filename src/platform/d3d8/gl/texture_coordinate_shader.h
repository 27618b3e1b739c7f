// GLSL of the textured stages' coordinates: taken from the vertex's set or
// generated in camera space (normal, position, reflection vector), then
// through the stage's texture matrix (D3DTSS_TEXTURETRANSFORMFLAGS) and,
// for projected coordinates, divided by their last element per pixel.
#pragma once

#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"

// The varyings vStageCoord<s> of the textured stages, declared with
// `direction` ("out" or "in"); the vertex stage also declares the texture
// matrices it uses.
std::string stageCoordinateDeclarations(const FixedFunctionKey& key, const char* direction);

// Statements setting the varyings; generated coordinates read eyePosition,
// eyeNormal and toEye, declared before.
std::string vertexStageCoordinateCode(const FixedFunctionKey& key);

// The 2D coordinates stage `index` samples at (fragment stage).
std::string sampleCoordinates(const FixedFunctionStage& stage, unsigned index);
