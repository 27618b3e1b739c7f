// The GLSL of the fixed-function pipeline for one key: a vertex stage that
// places pre-transformed vertices where Direct3D puts them (pixel centres on
// integers, top-left origin) or transforms vertices by world, view and
// projection; and a fragment stage that runs the texture stages, adds
// specular and applies the alpha test.
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

// Uniforms the generated programs read:
//   uViewport (x, y, width, height of the viewport, in target pixels),
//   uDepthRange (MinZ, MaxZ), uWorldViewProjection (Direct3D's row-vector
//   matrix world × view × projection, sent untransposed), uTextureFactor
//   (D3DRS_TEXTUREFACTOR), uAlphaRef (D3DRS_ALPHAREF, 0..255) and
//   uTexture0..7 (the stages' texture units).
struct FixedFunctionSource {
    std::string vertex;
    std::string fragment;
};

FixedFunctionSource fixedFunctionSource(const FixedFunctionKey& key);
