// The GLSL of the fixed-function pipeline for one key: a vertex stage that
// places pre-transformed vertices where Direct3D puts them (pixel centres on
// integers, top-left origin) or transforms vertices by world, view and
// projection, lights them and works out fog and texture coordinates; and a
// fragment stage that runs the texture stages, adds specular, applies fog
// and the alpha test.
#pragma once

#include <GL/glcorearb.h>

#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"

// Vertex attribute locations, shared with the code that feeds vertices.
constexpr GLuint ATTRIBUTE_POSITION = 0;
constexpr GLuint ATTRIBUTE_DIFFUSE = 1;
constexpr GLuint ATTRIBUTE_SPECULAR = 2;
constexpr GLuint ATTRIBUTE_NORMAL = 3;
constexpr GLuint ATTRIBUTE_TEXCOORD0 = 4;  // sets 0..7 at 4..11

// Uniforms the generated programs read: uTexture0..7 (the stages' texture
// units) and those of uniform_values.h; matrices are Direct3D's row-vector
// ones sent untransposed.
struct FixedFunctionSource {
    std::string vertex;
    std::string fragment;
};

FixedFunctionSource fixedFunctionSource(const FixedFunctionKey& key);
