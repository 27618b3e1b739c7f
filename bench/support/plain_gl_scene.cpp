#include "plain_gl_scene.h"

#include <SDL.h>

#include <cmath>

#include "d3dx/d3dx_math.h"
#include "platform/d3d8/gl/gl_context.h"

namespace {

// Lighting in view space as Direct3D does it, for exactly the benchmark's
// three lights: 0 point, 1 spot (falloff 0), 2 directional.
const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 3) in vec3 aNormal;
uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform vec4 uLightPosition[3];
uniform vec4 uLightDirection[3];
uniform vec4 uLightDiffuse[3];
uniform vec4 uLightSpecular[3];
uniform vec4 uLightAttenuation[3];
uniform vec2 uSpotCone;
uniform vec4 uDiffuse;
uniform vec4 uSpecular;
uniform float uPower;
out vec4 vDiffuse;
out vec3 vSpecular;
out float vDepth;
void main() {
    vec4 p = uWorldView * vec4(aPosition, 1.0);
    vec3 n = normalize(mat3(uWorldView) * aNormal);
    vec3 toEye = normalize(-p.xyz);
    vec3 diffuse = vec3(0.0), specular = vec3(0.0);
    for (int i = 0; i < 3; ++i) {
        vec3 toLight = i == 2 ? -normalize(uLightDirection[i].xyz) : uLightPosition[i].xyz - p.xyz;
        float d = length(toLight);
        toLight = normalize(toLight);
        float att = 1.0;
        if (i < 2) {
            vec3 a = uLightAttenuation[i].xyz;
            att = d > uLightAttenuation[i].w ? 0.0 : 1.0 / (a.x + a.y * d + a.z * d * d);
        }
        if (i == 1) {
            float rho = dot(normalize(uLightDirection[i].xyz), -toLight);
            att *= rho > uSpotCone.x ? 1.0 : (rho <= uSpotCone.y ? 0.0 : 1.0);
        }
        float nl = max(dot(n, toLight), 0.0);
        diffuse += uLightDiffuse[i].rgb * nl * att;
        if (nl > 0.0) {
            float nh = max(dot(n, normalize(toEye + toLight)), 0.0);
            specular += uLightSpecular[i].rgb * pow(nh, uPower) * att;
        }
    }
    vDiffuse = vec4(clamp(uDiffuse.rgb * diffuse, 0.0, 1.0), uDiffuse.a);
    vSpecular = clamp(uSpecular.rgb * specular, 0.0, 1.0);
    vDepth = p.z;
    vec4 clip = uProjection * p;
    gl_Position = vec4(clip.x, -clip.y, 2.0 * clip.z - clip.w, clip.w);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec3 vSpecular;
in float vDepth;
uniform vec3 uFogColour;
uniform vec2 uFogRange;
out vec4 fragColour;
void main() {
    vec3 colour = min(vDiffuse.rgb + vSpecular, 1.0);
    float f = clamp((uFogRange.y - vDepth) / (uFogRange.y - uFogRange.x), 0.0, 1.0);
    fragColour = vec4(mix(uFogColour, colour, f), vDiffuse.a);
}
)";

// Entry points the backend's table does not carry.
struct ExtraGl {
    PFNGLDRAWELEMENTSPROC DrawElements = nullptr;
    PFNGLUNIFORM4FVPROC Uniform4fv = nullptr;
    PFNGLUNIFORM3FPROC Uniform3f = nullptr;

    bool load() {
        DrawElements =
            reinterpret_cast<PFNGLDRAWELEMENTSPROC>(SDL_GL_GetProcAddress("glDrawElements"));
        Uniform4fv = reinterpret_cast<PFNGLUNIFORM4FVPROC>(SDL_GL_GetProcAddress("glUniform4fv"));
        Uniform3f = reinterpret_cast<PFNGLUNIFORM3FPROC>(SDL_GL_GetProcAddress("glUniform3f"));
        return DrawElements && Uniform4fv && Uniform3f;
    }
};

struct MeshObjects {
    GLuint array = 0, vertices = 0, indices = 0;
    GLsizei indexCount = 0;
};

GLuint compile(const GlApi& gl, GLenum type, const char* source) {
    const GLuint shader = gl.CreateShader(type);
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    return shader;
}

}  // namespace

struct PlainGlScene::Parts {
    std::unique_ptr<GlContext> context;
    ExtraGl extra;
    GLuint program = 0, framebuffer = 0, colour = 0, depth = 0;
    std::vector<MeshObjects> meshes;

    const GlApi& gl() const { return context->gl(); }
    GLint uniform(const char* name) const { return gl().GetUniformLocation(program, name); }

    bool makeProgram() {
        program = gl().CreateProgram();
        gl().AttachShader(program, compile(gl(), GL_VERTEX_SHADER, kVertexShader));
        gl().AttachShader(program, compile(gl(), GL_FRAGMENT_SHADER, kFragmentShader));
        gl().LinkProgram(program);
        GLint linked = 0;
        gl().GetProgramiv(program, GL_LINK_STATUS, &linked);
        return linked != 0;
    }

    void makeTarget() {
        gl().GenFramebuffers(1, &framebuffer);
        gl().BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        gl().GenRenderbuffers(1, &colour);
        gl().BindRenderbuffer(GL_RENDERBUFFER, colour);
        gl().RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 640, 480);
        gl().FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        gl().GenRenderbuffers(1, &depth);
        gl().BindRenderbuffer(GL_RENDERBUFFER, depth);
        gl().RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, 640, 480);
        gl().FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                     depth);
    }

    void addMesh(const SceneMesh& mesh) {
        MeshObjects objects;
        gl().GenVertexArrays(1, &objects.array);
        gl().BindVertexArray(objects.array);
        gl().GenBuffers(1, &objects.vertices);
        gl().BindBuffer(GL_ARRAY_BUFFER, objects.vertices);
        gl().BufferData(GL_ARRAY_BUFFER, GLsizeiptr(mesh.vertices.size() * sizeof(SceneVertex)),
                        mesh.vertices.data(), GL_STATIC_DRAW);
        gl().EnableVertexAttribArray(0);
        gl().VertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(SceneVertex), nullptr);
        gl().EnableVertexAttribArray(3);
        gl().VertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, sizeof(SceneVertex),
                                 reinterpret_cast<const void*>(12));
        const std::vector<std::uint16_t>& indices = mesh.faceGroups[0].indices;
        gl().GenBuffers(1, &objects.indices);
        gl().BindBuffer(GL_ELEMENT_ARRAY_BUFFER, objects.indices);
        gl().BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(),
                        GL_STATIC_DRAW);
        objects.indexCount = GLsizei(indices.size());
        meshes.push_back(objects);
    }

    void setLights(const Scene& scene, const D3DXMATRIX& view) {
        float positions[12] = {}, directions[12] = {}, diffuse[12] = {}, specular[12] = {},
              attenuation[12] = {};
        for (int i = 0; i < 3; ++i) {
            const D3DLIGHT8 light = scene.lights[std::size_t(i)]->deviceLight();
            D3DXVECTOR3 p{light.Position.x, light.Position.y, light.Position.z}, v;
            D3DXVec3TransformCoord(&v, &p, &view);
            positions[4 * i] = v.x, positions[4 * i + 1] = v.y, positions[4 * i + 2] = v.z;
            const D3DXVECTOR3 d{light.Direction.x, light.Direction.y, light.Direction.z};
            for (int c = 0; c < 3; ++c)
                directions[4 * i + c] =
                    d.x * view.m[0][c] + d.y * view.m[1][c] + d.z * view.m[2][c];
            const float colour[4] = {light.Diffuse.r, light.Diffuse.g, light.Diffuse.b, 1};
            const float shine[4] = {light.Specular.r, light.Specular.g, light.Specular.b, 1};
            const float fade[4] = {light.Attenuation0, light.Attenuation1, light.Attenuation2,
                                   light.Range};
            for (int c = 0; c < 4; ++c) {
                diffuse[4 * i + c] = colour[c];
                specular[4 * i + c] = shine[c];
                attenuation[4 * i + c] = fade[c];
            }
        }
        extra.Uniform4fv(uniform("uLightPosition"), 3, positions);
        extra.Uniform4fv(uniform("uLightDirection"), 3, directions);
        extra.Uniform4fv(uniform("uLightDiffuse"), 3, diffuse);
        extra.Uniform4fv(uniform("uLightSpecular"), 3, specular);
        extra.Uniform4fv(uniform("uLightAttenuation"), 3, attenuation);
        const D3DLIGHT8 spot = scene.lights[1]->deviceLight();
        gl().Uniform2f(uniform("uSpotCone"), std::cos(spot.Theta / 2), std::cos(spot.Phi / 2));
    }

    void setMaterial(const SceneMaterial& material) {
        gl().Uniform4f(uniform("uDiffuse"), material.diffuse.r, material.diffuse.g,
                       material.diffuse.b, material.diffuse.a);
        gl().Uniform4f(uniform("uSpecular"), material.specular.r, material.specular.g,
                       material.specular.b, 1);
        gl().Uniform1f(uniform("uPower"), material.shininess * 100);
    }
};

PlainGlScene::PlainGlScene(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

PlainGlScene::~PlainGlScene() {
    parts_->context->makeCurrent();
}

std::unique_ptr<PlainGlScene> PlainGlScene::create(const Scene& scene) {
    auto parts = std::make_unique<Parts>();
    parts->context = GlContext::create(nullptr);
    if (parts->context == nullptr || !parts->extra.load() || !parts->makeProgram()) return nullptr;
    parts->makeTarget();
    for (const SceneMesh* mesh : scene.meshes) parts->addMesh(*mesh);
    return std::unique_ptr<PlainGlScene>(new PlainGlScene(std::move(parts)));
}

void PlainGlScene::drawFrame(const Scene& scene, const SceneCamera& camera) {
    Parts& p = *parts_;
    p.context->makeCurrent();
    const GlApi& gl = p.gl();
    gl.BindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
    gl.Viewport(0, 0, 640, 480);
    gl.Enable(GL_DEPTH_TEST);
    gl.DepthFunc(GL_LEQUAL);
    gl.Enable(GL_CULL_FACE);
    gl.ClearColor(0, 0, 0, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.UseProgram(p.program);
    p.setLights(scene, camera.view);
    gl.UniformMatrix4fv(p.uniform("uProjection"), 1, GL_FALSE, &camera.projection.m[0][0]);
    p.extra.Uniform3f(p.uniform("uFogColour"), 0, 0, 0);
    gl.Uniform2f(p.uniform("uFogRange"), 10, 60);
    const GLint worldView = p.uniform("uWorldView");
    for (std::size_t i = 0; i < scene.meshes.size(); ++i) {
        const SceneMesh& mesh = *scene.meshes[i];
        if (!mesh.visible) continue;
        D3DXMATRIX matrix;
        D3DXMatrixMultiply(&matrix, &mesh.world, &camera.view);
        gl.UniformMatrix4fv(worldView, 1, GL_FALSE, &matrix.m[0][0]);
        p.setMaterial(*scene.materials[std::size_t(mesh.faceGroups[0].materialIndex)]);
        gl.BindVertexArray(p.meshes[i].array);
        p.extra.DrawElements(GL_TRIANGLES, p.meshes[i].indexCount, GL_UNSIGNED_SHORT, nullptr);
    }
    std::uint32_t pixel = 0;
    gl.ReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
}
