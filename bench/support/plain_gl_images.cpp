#include "plain_gl_images.h"

#include <SDL.h>

#include "platform/d3d8/gl/gl_context.h"

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
out vec4 vColour;
out vec2 vTexCoord;
void main() {
    vColour = aColour;
    vTexCoord = aTexCoord;
    gl_Position = vec4(aPosition, 0.0, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColour;
void main() {
    fragColour = texture(uTexture, vTexCoord) * vColour;
}
)";

// x, y in clip space, colour, u, v: the whole target, texture top row at
// the top, as a triangle strip.
struct QuadVertex {
    float x, y;
    std::uint32_t colour;
    float u, v;
};
const QuadVertex kQuad[4] = {{-1, 1, 0xffffffff, 0, 0},
                             {1, 1, 0xffffffff, 1, 0},
                             {-1, -1, 0xffffffff, 0, 1},
                             {1, -1, 0xffffffff, 1, 1}};

GLuint compile(const GlApi& gl, GLenum type, const char* source) {
    const GLuint shader = gl.CreateShader(type);
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    return shader;
}

const void* offset(std::size_t bytes) {
    return reinterpret_cast<const void*>(bytes);
}

}  // namespace

struct PlainGlImages::Parts {
    std::unique_ptr<GlContext> context;
    PFNGLGENERATEMIPMAPPROC GenerateMipmap = nullptr;
    GLuint program = 0, framebuffer = 0, colour = 0, depth = 0, texture = 0, array = 0,
           vertices = 0;
    GLsizei width = 0, height = 0;

    const GlApi& gl() const { return context->gl(); }

    bool makeProgram() {
        program = gl().CreateProgram();
        gl().AttachShader(program, compile(gl(), GL_VERTEX_SHADER, kVertexShader));
        gl().AttachShader(program, compile(gl(), GL_FRAGMENT_SHADER, kFragmentShader));
        gl().LinkProgram(program);
        GLint linked = 0;
        gl().GetProgramiv(program, GL_LINK_STATUS, &linked);
        return linked != 0;
    }

    bool makeTarget(GLenum depthFormat) {
        gl().GenTextures(1, &colour);
        gl().BindTexture(GL_TEXTURE_2D, colour);
        gl().TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA,
                        GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
        gl().GenFramebuffers(1, &framebuffer);
        gl().BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        gl().FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        gl().GenRenderbuffers(1, &depth);
        gl().BindRenderbuffer(GL_RENDERBUFFER, depth);
        gl().RenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
        const GLenum attachment =
            depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        gl().FramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth);
        return gl().CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

    void makeTexture(const std::vector<std::uint32_t>& pixels, GLsizei side) {
        gl().GenTextures(1, &texture);
        gl().BindTexture(GL_TEXTURE_2D, texture);
        gl().TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side, side, 0, GL_BGRA,
                        GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        GenerateMipmap(GL_TEXTURE_2D);
        gl().TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        gl().TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }

    void makeQuad() {
        gl().GenVertexArrays(1, &array);
        gl().BindVertexArray(array);
        gl().GenBuffers(1, &vertices);
        gl().BindBuffer(GL_ARRAY_BUFFER, vertices);
        gl().BufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
        const GLsizei stride = sizeof(QuadVertex);
        gl().EnableVertexAttribArray(0);
        gl().VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, offset(0));
        gl().EnableVertexAttribArray(1);
        gl().VertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset(8));
        gl().EnableVertexAttribArray(2);
        gl().VertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, offset(12));
    }
};

PlainGlImages::PlainGlImages(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

PlainGlImages::~PlainGlImages() {
    Parts& p = *parts_;
    p.context->makeCurrent();
    const GlApi& gl = p.gl();
    gl.DeleteBuffers(1, &p.vertices);
    gl.DeleteVertexArrays(1, &p.array);
    gl.DeleteTextures(1, &p.texture);
    gl.DeleteTextures(1, &p.colour);
    gl.DeleteRenderbuffers(1, &p.depth);
    gl.DeleteFramebuffers(1, &p.framebuffer);
    gl.DeleteProgram(p.program);
}

std::unique_ptr<PlainGlImages> PlainGlImages::create(GLsizei width, GLsizei height,
                                                     GLenum depthFormat,
                                                     const std::vector<std::uint32_t>& pixels,
                                                     GLsizei side) {
    auto parts = std::make_unique<Parts>();
    parts->width = width;
    parts->height = height;
    parts->context = GlContext::create(nullptr);
    if (parts->context == nullptr) return nullptr;
    parts->context->makeCurrent();
    parts->GenerateMipmap =
        reinterpret_cast<PFNGLGENERATEMIPMAPPROC>(SDL_GL_GetProcAddress("glGenerateMipmap"));
    if (parts->GenerateMipmap == nullptr || !parts->makeProgram() ||
        !parts->makeTarget(depthFormat))
        return nullptr;
    parts->makeTexture(pixels, side);
    parts->makeQuad();
    return std::unique_ptr<PlainGlImages>(new PlainGlImages(std::move(parts)));
}

void PlainGlImages::drawFrame(int quads) {
    Parts& p = *parts_;
    p.context->makeCurrent();
    const GlApi& gl = p.gl();
    gl.BindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
    gl.Viewport(0, 0, p.width, p.height);
    gl.ClearColor(0, 0, 0, 0);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.Enable(GL_BLEND);
    gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.UseProgram(p.program);
    gl.ActiveTexture(GL_TEXTURE0);
    gl.BindTexture(GL_TEXTURE_2D, p.texture);
    gl.BindVertexArray(p.array);
    for (int i = 0; i < quads; ++i) gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    std::uint32_t pixel = 0;
    gl.ReadPixels(20, 5, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &pixel);
}
