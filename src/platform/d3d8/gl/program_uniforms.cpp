#include "platform/d3d8/gl/program_uniforms.h"

#include <string>

namespace {

void sendMatrix(const GlApi& gl, GLint location, const D3DMATRIX& matrix) {
    // Direct3D's rows read as GLSL's columns: the GLSL product M * v is
    // Direct3D's v × M.
    if (location >= 0) gl.UniformMatrix4fv(location, 1, GL_FALSE, &matrix.m[0][0]);
}

void sendVectors(const GlApi& gl, GLint location, GLsizei count, const Vec4* vectors) {
    if (location >= 0 && count > 0) gl.Uniform4fv(location, count, vectors->data());
}

void sendGroup(const GlApi& gl, const GlProgram& p, const UniformValues& v, unsigned group) {
    switch (group) {
        case UNIFORMS_VIEWPORT:
            sendVectors(gl, p.viewport, 1, &v.viewport);
            if (p.depthRange >= 0) gl.Uniform2f(p.depthRange, v.depthRange[0], v.depthRange[1]);
            break;
        case UNIFORMS_TRANSFORM:
            sendMatrix(gl, p.worldViewProjection, v.worldViewProjection);
            sendMatrix(gl, p.worldView, v.worldView);
            if (p.normalMatrix >= 0)
                gl.UniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, v.normalMatrix.data());
            break;
        case UNIFORMS_TEXTURE_MATRICES:
            for (unsigned stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage)
                sendMatrix(gl, p.textureMatrices[stage], v.textureMatrices[stage]);
            break;
        case UNIFORMS_COMBINER:
            sendVectors(gl, p.textureFactor, 1, &v.textureFactor);
            if (p.alphaRef >= 0) gl.Uniform1f(p.alphaRef, v.alphaRef);
            break;
        case UNIFORMS_FOG:
            sendVectors(gl, p.fogColour, 1, &v.fogColour);
            sendVectors(gl, p.fogParams, 1, &v.fogParams);
            break;
        case UNIFORMS_MATERIAL:
            sendVectors(gl, p.material, MATERIAL_VECTORS, v.material.data());
            break;
        default:  // UNIFORMS_LIGHTS
            sendVectors(gl, p.lights, p.lightCount * LIGHT_VECTORS, v.lights.data());
            break;
    }
}

}  // namespace

void locateUniforms(const GlApi& gl, GlProgram& program, unsigned lightCount) {
    const GLuint name = program.name;
    program.viewport = gl.GetUniformLocation(name, "uViewport");
    program.depthRange = gl.GetUniformLocation(name, "uDepthRange");
    program.worldViewProjection = gl.GetUniformLocation(name, "uWorldViewProjection");
    program.worldView = gl.GetUniformLocation(name, "uWorldView");
    program.normalMatrix = gl.GetUniformLocation(name, "uNormalMatrix");
    for (unsigned stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage) {
        const std::string matrix = "uTextureMatrix" + std::to_string(stage);
        program.textureMatrices[stage] = gl.GetUniformLocation(name, matrix.c_str());
    }
    program.textureFactor = gl.GetUniformLocation(name, "uTextureFactor");
    program.alphaRef = gl.GetUniformLocation(name, "uAlphaRef");
    program.fogColour = gl.GetUniformLocation(name, "uFogColour");
    program.fogParams = gl.GetUniformLocation(name, "uFogParams");
    program.material = gl.GetUniformLocation(name, "uMaterial");
    program.lights = gl.GetUniformLocation(name, "uLights");
    program.lightCount = GLsizei(lightCount);
}

void sendStaleUniforms(const GlApi& gl, GlProgram& program, const UniformValues& values) {
    for (unsigned group = 0; group < UNIFORM_GROUP_COUNT; ++group) {
        if (program.sentVersions[group] == values.versions[group]) continue;
        sendGroup(gl, program, values, group);
        program.sentVersions[group] = values.versions[group];
    }
}
