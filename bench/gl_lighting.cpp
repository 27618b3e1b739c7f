// A lit scene on the OpenGL backend against a plain OpenGL program drawing
// the same scene with the same lighting, measured in the same run (counter
// x_plain_gl, the ratio of frame times). The scene: 500 meshes of 200
// triangles (100 000 triangles), each its own vertex and index buffer and
// world matrix, one draw call each, lit by a directional and a point light,
// at 640 × 480 with a depth buffer. Frames end by reading a pixel back, so
// the driver's work (llvmpipe under SDL's offscreen driver) is included.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/gl/matrix_math.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kMeshColumns = 25, kMeshRows = 20;  // 500 meshes
constexpr int kGrid = 10;                         // 10 × 10 quads: 200 triangles a mesh
constexpr int kFrames = 100;

struct Vertex {
    float x, y, z, nx, ny, nz;
};

// A bumpy square of kGrid × kGrid quads in the xy plane, facing -z.
void meshGeometry(std::vector<Vertex>& vertices, std::vector<WORD>& indices) {
    for (int y = 0; y <= kGrid; ++y)
        for (int x = 0; x <= kGrid; ++x) {
            const float u = float(x) / kGrid - 0.5f, v = float(y) / kGrid - 0.5f;
            const float nx = 0.3f * std::sin(float(x)), ny = 0.3f * std::cos(float(y));
            const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
            vertices.push_back({u, v, 0.0f, nx / length, ny / length, -1.0f / length});
        }
    const auto at = [](int x, int y) { return WORD(y * (kGrid + 1) + x); };
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            indices.insert(indices.end(), {at(x, y), at(x + 1, y), at(x, y + 1), at(x + 1, y),
                                           at(x + 1, y + 1), at(x, y + 1)});
}

// Meshes in a grid 20 units in front of the camera, each turned a little.
D3DMATRIX worldMatrix(int mesh, int frame) {
    const float angle = 0.01f * float(frame + mesh);
    D3DMATRIX m{};
    m.m[0][0] = std::cos(angle);
    m.m[0][2] = std::sin(angle);
    m.m[1][1] = 1.0f;
    m.m[2][0] = -std::sin(angle);
    m.m[2][2] = std::cos(angle);
    m.m[3][0] = (float(mesh % kMeshColumns) - kMeshColumns / 2.0f) * 1.1f;
    m.m[3][1] = (float(mesh / kMeshColumns) - kMeshRows / 2.0f) * 1.1f;
    m.m[3][2] = 20.0f;
    m.m[3][3] = 1.0f;
    return m;
}

// Direct3D's left-handed perspective, 90° wide, 4:3, near 1, far 100.
D3DMATRIX projectionMatrix() {
    D3DMATRIX m{};
    m.m[0][0] = 0.75f;
    m.m[1][1] = 1.0f;
    m.m[2][2] = 100.0f / 99.0f;
    m.m[2][3] = 1.0f;
    m.m[3][2] = -100.0f / 99.0f;
    return m;
}

D3DLIGHT8 directionalLight() {
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {0.8f, 0.8f, 0.7f, 1.0f};
    light.Ambient = {0.1f, 0.1f, 0.1f, 1.0f};
    light.Direction = {0.3f, -0.4f, 1.0f};
    return light;
}

D3DLIGHT8 pointLight() {
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.6f, 0.3f, 0.2f, 1.0f};
    light.Position = {0.0f, 0.0f, 10.0f};
    light.Range = 50.0f;
    light.Attenuation0 = 0.5f;
    light.Attenuation1 = 0.05f;
    return light;
}

const D3DMATERIAL8 kMaterial{{0.9f, 0.8f, 0.7f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, {}, {}, 0.0f};

using Clock = std::chrono::steady_clock;

// ---- the scene through the Direct3D layer ----

class LayerScene {
  public:
    bool create() {
        direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
        if (direct3d_ == nullptr) return false;
        D3DPRESENT_PARAMETERS params{};
        params.BackBufferWidth = kWidth;
        params.BackBufferHeight = kHeight;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.BackBufferCount = 1;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        params.EnableAutoDepthStencil = TRUE;
        params.AutoDepthStencilFormat = D3DFMT_D24S8;
        if (FAILED(direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                           D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device_)))
            return false;
        makeMeshes();
        setLighting();
        return true;
    }
    ~LayerScene() {
        for (auto* buffer : vertexBuffers_) buffer->Release();
        for (auto* buffer : indexBuffers_) buffer->Release();
        if (device_) device_->Release();
        if (direct3d_) direct3d_->Release();
    }

    void frame(int number) {
        device_->BeginScene();
        device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff102030, 1.0f, 0);
        for (int mesh = 0; mesh < kMeshColumns * kMeshRows; ++mesh) {
            const D3DMATRIX world = worldMatrix(mesh, number);
            device_->SetTransform(D3DTS_WORLD, &world);
            device_->SetMaterial(&kMaterial);
            device_->SetStreamSource(0, vertexBuffers_[mesh], sizeof(Vertex));
            device_->SetIndices(indexBuffers_[mesh], 0);
            device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount_, 0, triangles_);
        }
        device_->EndScene();
        finish();
    }

  private:
    void makeMeshes() {
        std::vector<Vertex> vertices;
        std::vector<WORD> indices;
        meshGeometry(vertices, indices);
        vertexCount_ = UINT(vertices.size());
        triangles_ = UINT(indices.size() / 3);
        for (int mesh = 0; mesh < kMeshColumns * kMeshRows; ++mesh) {
            IDirect3DVertexBuffer8* vb = nullptr;
            IDirect3DIndexBuffer8* ib = nullptr;
            const UINT vertexBytes = UINT(vertices.size() * sizeof(Vertex));
            const UINT indexBytes = UINT(indices.size() * sizeof(WORD));
            device_->CreateVertexBuffer(vertexBytes, D3DUSAGE_WRITEONLY, D3DFVF_XYZ | D3DFVF_NORMAL,
                                        D3DPOOL_MANAGED, &vb);
            device_->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                       D3DPOOL_MANAGED, &ib);
            BYTE* bytes = nullptr;
            vb->Lock(0, 0, &bytes, 0);
            std::memcpy(bytes, vertices.data(), vertexBytes);
            vb->Unlock();
            ib->Lock(0, 0, &bytes, 0);
            std::memcpy(bytes, indices.data(), indexBytes);
            ib->Unlock();
            vertexBuffers_.push_back(vb);
            indexBuffers_.push_back(ib);
        }
    }

    void setLighting() {
        const D3DMATRIX projection = projectionMatrix();
        device_->SetTransform(D3DTS_PROJECTION, &projection);
        device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device_->SetRenderState(D3DRS_AMBIENT, 0x00202020);
        const D3DLIGHT8 lights[2] = {directionalLight(), pointLight()};
        for (DWORD i = 0; i < 2; ++i) {
            device_->SetLight(i, &lights[i]);
            device_->LightEnable(i, TRUE);
        }
        device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
        device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
        device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    }

    // Reading a pixel back completes every draw before it.
    void finish() {
        IDirect3DSurface8* backBuffer = nullptr;
        device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        const RECT pixel{0, 0, 1, 1};
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(backBuffer->LockRect(&locked, &pixel, D3DLOCK_READONLY)))
            backBuffer->UnlockRect();
        backBuffer->Release();
    }

    IDirect3D8* direct3d_ = nullptr;
    IDirect3DDevice8* device_ = nullptr;
    std::vector<IDirect3DVertexBuffer8*> vertexBuffers_;
    std::vector<IDirect3DIndexBuffer8*> indexBuffers_;
    UINT vertexCount_ = 0, triangles_ = 0;
};

// ---- the same scene in plain OpenGL ----

// The same equations as the layer's: Direct3D's matrices used as sent,
// Direct3D's pixel centres and depth range, camera-space lighting,
// attenuation 1 / (a0 + a1 d + a2 d²) within range.
const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 3) in vec3 aNormal;
uniform mat4 uWorldViewProjection;
uniform mat4 uWorldView;
uniform mat3 uNormalMatrix;
uniform vec4 uAmbient;
uniform vec4 uMaterialDiffuse;
uniform vec4 uMaterialAmbient;
uniform vec4 uToDirectional;
uniform vec4 uDirectionalDiffuse;
uniform vec4 uDirectionalAmbient;
uniform vec4 uPointPosition;  // w: range
uniform vec4 uPointAttenuation;
uniform vec4 uPointDiffuse;
out vec4 vColour;
void main() {
    vec4 clip = uWorldViewProjection * vec4(aPosition, 1.0);
    gl_Position = vec4(clip.x + clip.w / 640.0, -clip.y + clip.w / 480.0, 2.0 * clip.z - clip.w,
                       clip.w);
    vec3 eyePosition = (uWorldView * vec4(aPosition, 1.0)).xyz;
    vec3 normal = uNormalMatrix * aNormal;
    vec3 diffuse = max(dot(normal, uToDirectional.xyz), 0.0) * uDirectionalDiffuse.rgb;
    vec3 offset = uPointPosition.xyz - eyePosition;
    float distance = length(offset);
    vec4 a = uPointAttenuation;
    float attenuation = distance > uPointPosition.w ? 0.0 :
        1.0 / (a.x + (a.y + a.z * distance) * distance);
    diffuse += attenuation * max(dot(normal, offset / distance), 0.0) * uPointDiffuse.rgb;
    vec3 ambient = uAmbient.rgb + uDirectionalAmbient.rgb;
    vColour = clamp(vec4(uMaterialAmbient.rgb * ambient + uMaterialDiffuse.rgb * diffuse,
                         uMaterialDiffuse.a), 0.0, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vColour;
out vec4 fragColour;
void main() { fragColour = vColour; }
)";

class PlainGlScene {
  public:
    bool create() {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window_ = SDL_CreateWindow("plain", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window_ == nullptr) return false;
        context_ = SDL_GL_CreateContext(window_);
        if (context_ == nullptr || !gl.load()) return false;
        makeTarget();
        if (!makeProgram()) return false;
        makeMeshes();
        return true;
    }
    ~PlainGlScene() {
        if (context_) SDL_GL_DeleteContext(context_);
        if (window_) SDL_DestroyWindow(window_);
    }

    void frame(int number) {
        if (SDL_GL_GetCurrentContext() != context_) SDL_GL_MakeCurrent(window_, context_);
        gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        gl.Viewport(0, 0, kWidth, kHeight);
        gl.ClearColor(0.06f, 0.12f, 0.19f, 1.0f);
        gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        gl.Enable(GL_DEPTH_TEST);
        gl.DepthFunc(GL_LEQUAL);
        gl.UseProgram(program_);
        const D3DMATRIX projection = projectionMatrix();
        for (int mesh = 0; mesh < kMeshColumns * kMeshRows; ++mesh) {
            const D3DMATRIX worldView = worldMatrix(mesh, number);  // the view is the identity
            const D3DMATRIX wvp = multiply(worldView, projection);
            gl.UniformMatrix4fv(wvpLocation_, 1, GL_FALSE, &wvp.m[0][0]);
            gl.UniformMatrix4fv(worldViewLocation_, 1, GL_FALSE, &worldView.m[0][0]);
            D3DMATRIX inverse{};
            invert(worldView, inverse);
            float normal[9];
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 3; ++r) normal[c * 3 + r] = inverse.m[r][c];
            gl.UniformMatrix3fv(normalLocation_, 1, GL_FALSE, normal);
            gl.BindVertexArray(arrays_[mesh]);
            gl.DrawElementsBaseVertex(GL_TRIANGLES, indexCount_, GL_UNSIGNED_SHORT, nullptr, 0);
        }
        unsigned char pixel[4];
        gl.ReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }

    GlApi gl;

  private:
    void makeTarget() {
        GLuint renderbuffers[2];
        gl.GenRenderbuffers(2, renderbuffers);
        gl.BindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
        gl.BindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kWidth, kHeight);
        gl.GenFramebuffers(1, &framebuffer_);
        gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                   renderbuffers[0]);
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                   renderbuffers[1]);
    }

    GLuint compile(GLenum type, const char* source) {
        const GLuint shader = gl.CreateShader(type);
        gl.ShaderSource(shader, 1, &source, nullptr);
        gl.CompileShader(shader);
        gl.AttachShader(program_, shader);
        return shader;
    }

    bool makeProgram() {
        program_ = gl.CreateProgram();
        compile(GL_VERTEX_SHADER, kVertexShader);
        compile(GL_FRAGMENT_SHADER, kFragmentShader);
        gl.LinkProgram(program_);
        GLint linked = GL_FALSE;
        gl.GetProgramiv(program_, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) return false;
        gl.UseProgram(program_);
        wvpLocation_ = gl.GetUniformLocation(program_, "uWorldViewProjection");
        worldViewLocation_ = gl.GetUniformLocation(program_, "uWorldView");
        normalLocation_ = gl.GetUniformLocation(program_, "uNormalMatrix");
        setLighting();
        return true;
    }

    void uniform(const char* name, float x, float y, float z, float w = 0.0f) {
        gl.Uniform4f(gl.GetUniformLocation(program_, name), x, y, z, w);
    }

    // The view is the identity: camera space is world space.
    void setLighting() {
        const float ambient = float(0x20) / 255.0f;
        uniform("uAmbient", ambient, ambient, ambient);
        const D3DCOLORVALUE& md = kMaterial.Diffuse;
        const D3DCOLORVALUE& ma = kMaterial.Ambient;
        uniform("uMaterialDiffuse", md.r, md.g, md.b, md.a);
        uniform("uMaterialAmbient", ma.r, ma.g, ma.b);
        const D3DLIGHT8 directional = directionalLight(), point = pointLight();
        const D3DVECTOR toLight = normalized(directional.Direction);
        uniform("uToDirectional", -toLight.x, -toLight.y, -toLight.z);
        uniform("uDirectionalDiffuse", directional.Diffuse.r, directional.Diffuse.g,
                directional.Diffuse.b);
        uniform("uDirectionalAmbient", directional.Ambient.r, directional.Ambient.g,
                directional.Ambient.b);
        uniform("uPointPosition", point.Position.x, point.Position.y, point.Position.z,
                point.Range);
        uniform("uPointAttenuation", point.Attenuation0, point.Attenuation1, point.Attenuation2);
        uniform("uPointDiffuse", point.Diffuse.r, point.Diffuse.g, point.Diffuse.b);
    }

    void makeMeshes() {
        std::vector<Vertex> vertices;
        std::vector<WORD> indices;
        meshGeometry(vertices, indices);
        indexCount_ = GLsizei(indices.size());
        for (int mesh = 0; mesh < kMeshColumns * kMeshRows; ++mesh) {
            GLuint array = 0, buffers[2];
            gl.GenVertexArrays(1, &array);
            gl.BindVertexArray(array);
            gl.GenBuffers(2, buffers);
            gl.BindBuffer(GL_ARRAY_BUFFER, buffers[0]);
            gl.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Vertex)),
                          vertices.data(), GL_STATIC_DRAW);
            gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
            gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(WORD)),
                          indices.data(), GL_STATIC_DRAW);
            gl.EnableVertexAttribArray(0);
            gl.VertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
            gl.EnableVertexAttribArray(3);
            gl.VertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                                   reinterpret_cast<const void*>(12));
            arrays_.push_back(array);
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    GLuint framebuffer_ = 0, program_ = 0;
    GLint wvpLocation_ = -1, worldViewLocation_ = -1, normalLocation_ = -1;
    std::vector<GLuint> arrays_;
    GLsizei indexCount_ = 0;
};

}  // namespace

namespace {

template <class Scene>
double frameSeconds(Scene& scene, int number) {
    const auto start = Clock::now();
    scene.frame(number);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Frames of the two sides alternate, so that load from elsewhere falls on
// both alike; the median frame of each gives the ratio.
void BM_LitScene(benchmark::State& state) {
    LayerScene layer;
    PlainGlScene plain;
    if (!layer.create() || !plain.create()) {
        state.SkipWithError("no OpenGL 3.3 device");
        return;
    }
    layer.frame(0);  // programs built, buffers in place
    plain.frame(0);
    std::vector<double> layerTimes, plainTimes;
    for (auto _ : state)
        for (int frame = 1; frame <= kFrames; ++frame) {
            layerTimes.push_back(frameSeconds(layer, frame));
            plainTimes.push_back(frameSeconds(plain, frame));
        }
    const double layerMedian = median(layerTimes), plainMedian = median(plainTimes);
    state.counters["layer_ms"] = layerMedian * 1e3;
    state.counters["plain_gl_ms"] = plainMedian * 1e3;
    state.counters["x_plain_gl"] = layerMedian / plainMedian;
}
BENCHMARK(BM_LitScene)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// Headless unless told otherwise, like the tests.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
