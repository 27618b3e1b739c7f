// GLSL of fog: the factor f (1: no fog) from Direct3D's linear, exponential
// or squared exponential formula, per pixel from depth (table fog) or per
// vertex from camera space (vertex fog), or the vertex's specular alpha;
// the colour after the specular add becomes f · colour + (1 − f) · fog
// colour, alpha untouched.
#pragma once

#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"

// Uniforms, varying and factor function of the vertex stage and of the
// fragment stage.
std::string vertexFogDeclarations(const FixedFunctionKey& key);
std::string fragmentFogDeclarations(const FixedFunctionKey& key);

// Vertex fog: sets vFog from eyePosition, declared before.
std::string vertexFogCode(const FixedFunctionKey& key);
// Blends `current` with the fog colour.
std::string fragmentFogCode(const FixedFunctionKey& key);
