#include "platform/d3d8/gl/program_cache.h"

#include <cstdio>
#include <string>

#include "platform/d3d8/gl/fixed_function_shader.h"

namespace {

std::string shaderLog(const GlApi& gl, GLuint shader) {
    char text[1024] = {};
    gl.GetShaderInfoLog(shader, sizeof text, nullptr, text);
    return text;
}

std::string programLog(const GlApi& gl, GLuint program) {
    char text[1024] = {};
    gl.GetProgramInfoLog(program, sizeof text, nullptr, text);
    return text;
}

// The compiled shader, or 0 after reporting why GL refused it.
GLuint compileShader(const GlApi& gl, GLenum type, const std::string& source) {
    const GLuint shader = gl.CreateShader(type);
    const char* text = source.c_str();
    gl.ShaderSource(shader, 1, &text, nullptr);
    gl.CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;
    std::fprintf(stderr, "Direct3D layer: fixed-function shader refused: %s\n%s\n",
                 shaderLog(gl, shader).c_str(), source.c_str());
    gl.DeleteShader(shader);
    return 0;
}

GLuint linkProgram(const GlApi& gl, GLuint vertex, GLuint fragment) {
    const GLuint program = gl.CreateProgram();
    gl.AttachShader(program, vertex);
    gl.AttachShader(program, fragment);
    gl.LinkProgram(program);
    GLint linked = GL_FALSE;
    gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    std::fprintf(stderr, "Direct3D layer: fixed-function program refused: %s\n",
                 programLog(gl, program).c_str());
    gl.DeleteProgram(program);
    return 0;
}

// Each stage samples the texture unit of its own number.
void bindSamplers(const GlApi& gl, GLuint program, unsigned stages) {
    gl.UseProgram(program);
    for (unsigned stage = 0; stage < stages; ++stage) {
        const std::string name = "uTexture" + std::to_string(stage);
        gl.Uniform1i(gl.GetUniformLocation(program, name.c_str()), GLint(stage));
    }
}

}  // namespace

ProgramCache::~ProgramCache() {
    for (const auto& [key, program] : programs_) gl_.DeleteProgram(program.name);
}

GlProgram& ProgramCache::program(const FixedFunctionKey& key) {
    auto found = programs_.find(key);
    if (found != programs_.end()) return found->second;
    return programs_.emplace(key, build(key)).first->second;
}

GlProgram ProgramCache::build(const FixedFunctionKey& key) {
    const FixedFunctionSource source = fixedFunctionSource(key);
    GlProgram program;
    const GLuint vertex = compileShader(gl_, GL_VERTEX_SHADER, source.vertex);
    const GLuint fragment = compileShader(gl_, GL_FRAGMENT_SHADER, source.fragment);
    if (vertex != 0 && fragment != 0) program.name = linkProgram(gl_, vertex, fragment);
    gl_.DeleteShader(vertex);
    gl_.DeleteShader(fragment);
    if (program.name == 0) return program;
    bindSamplers(gl_, program.name, key.stageCount);
    locateUniforms(gl_, program, key.lighting.lightCount);
    return program;
}
