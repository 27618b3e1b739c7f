// A generated program's uniform locations, and the groups of uniform values
// it has been sent: each draw sends a program only the groups whose values
// changed since it last had them.
#pragma once

#include <array>
#include <cstdint>

#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/gl/uniform_values.h"

struct GlProgram {
    GLuint name = 0;  // 0: GL refused the program; draws with it are skipped
    GLint viewport = -1;
    GLint depthRange = -1;
    GLint worldViewProjection = -1;
    GLint worldView = -1;
    GLint normalMatrix = -1;
    std::array<GLint, D3D_TEXTURE_STAGE_COUNT> textureMatrices{-1, -1, -1, -1, -1, -1, -1, -1};
    GLint textureFactor = -1;
    GLint alphaRef = -1;
    GLint fogColour = -1;
    GLint fogParams = -1;
    GLint material = -1;
    GLint lights = -1;
    GLsizei lightCount = 0;  // lights the program lights with
    // The version of each group the program has; 0: none yet.
    std::array<std::uint32_t, UNIFORM_GROUP_COUNT> sentVersions{};
};

// Looks the locations up once, after linking.
void locateUniforms(const GlApi& gl, GlProgram& program, unsigned lightCount);

// Sends the (current) program the groups it lacks the latest version of.
void sendStaleUniforms(const GlApi& gl, GlProgram& program, const UniformValues& values);
