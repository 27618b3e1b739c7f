// GLSL of a vertex's diffuse and specular colours: Direct3D's per-vertex
// lighting in camera space (ambient, diffuse, specular and emissive terms
// of the lights on, with attenuation, range and spot cones), or the
// vertex's own colours when lighting is off.
#pragma once

#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"

// Uniforms and helper functions the colour code needs (vertex stage).
std::string lightingDeclarations(const FixedFunctionKey& key);

// Statements setting vDiffuse and vSpecular. Lit vertices read eyePosition,
// eyeNormal (zero without a normal) and toEye, declared before.
std::string vertexColourCode(const FixedFunctionKey& key);
