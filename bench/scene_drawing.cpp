// Drawing a scene of 100 000 triangles in 500 meshes (each with its own
// keyed tracks) lit by three lights, as a scene layer does every frame:
// Scene::update at a new time, then drawScene (culling, lights, materials,
// every device call).
// - engine_cpu_per_frame: the engine's CPU time on the recording device with
//   its log switched off, a device that keeps its state and checks its calls
//   but draws nothing; the ratio is to a 4 × 4 matrix multiply measured in
//   the same run (x_matmul). Target: under 1 ms.
// - gl_frame: a whole frame on the GL backend (clear, update, draw, and a
//   one-pixel read back so the drawing is finished), wall-clock time, as a
//   ratio to a plain OpenGL program drawing the same meshes with the same
//   lighting and fog, measured alternately in the same run (x_plain_gl).
//   Target: within 1.2.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/current_device.h"
#include "bench_clock.h"
#include "bench_frames.h"
#include "bench_goal.h"
#include "d3dx/d3dx_math.h"
#include "plain_gl_scene.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "scene/buffer_registry.h"
#include "scene/scene_drawing.h"
#include "scene/scene_reader.h"
#include "scene/y3d_chunk_writers.h"

namespace {

constexpr int kColumns = 25, kRows = 20;  // 500 meshes
constexpr int kGrid = 10;                 // 10 × 10 squares: 200 triangles a mesh

// A bumpy square of side 1 facing −z, its normals roughly outwards.
std::vector<SceneVertex> tileVertices() {
    std::vector<SceneVertex> vertices;
    for (int y = 0; y <= kGrid; ++y)
        for (int x = 0; x <= kGrid; ++x) {
            const float u = float(x) / kGrid, v = float(y) / kGrid;
            vertices.push_back({{u - 0.5f, 0.5f - v, 0.05f * float((x * y) % 3)},
                                {0.1f * (u - 0.5f), 0.1f * (0.5f - v), -1},
                                u,
                                v});
        }
    return vertices;
}

std::vector<Y3dTriangle> tileTriangles() {
    std::vector<Y3dTriangle> triangles;
    const auto at = [](int x, int y) { return std::uint16_t(y * (kGrid + 1) + x); };
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            triangles.push_back({at(x + 1, y), at(x, y), at(x + 1, y + 1)});
            triangles.push_back({at(x + 1, y + 1), at(x, y), at(x, y + 1)});
        }
    return triangles;
}

Y3dNodeHeader header(const std::string& name, int id, int target = -1) {
    Y3dNodeHeader h;
    h.name = name;
    h.id = id;
    h.targetId = target;
    return h;
}

void writeStill(Y3dWriter& out, D3DXVECTOR3 position) {
    const Y3dVectorKey at{0, position};
    const Y3dVectorKey one{0, {1, 1, 1}};
    writePositionTrack(out, {&at, 1});
    writeScaleTrack(out, {&one, 1});
}

// Each tile turns a little about z over the loop.
void writeTile(Y3dWriter& out, int index, const std::vector<SceneVertex>& vertices,
               const std::vector<Y3dTriangle>& triangles) {
    beginMesh(out);
    writeNodeHeader(out, header("tile" + std::to_string(index), 10 + index));
    writeMeshVertices(out, vertices);
    writeMeshFaceGroup(out, std::uint32_t(index % 2), triangles);
    const float x = float(index % kColumns) * 1.1f - 13.2f;
    const float y = float(index / kColumns) * 1.1f - 10.5f;
    const Y3dVectorKey positions[] = {{0, {x, y, 0}}, {1600, {x, y, 1}}};
    const Y3dVectorKey scales[] = {{0, {1, 1, 1}}};
    const Y3dRotationKey turns[] = {{0, {0, 0, 0, 1}}, {1600, {0, 0, 0.0998f, 0.995f}}};
    writePositionTrack(out, positions);
    writeRotationTrack(out, turns);
    writeScaleTrack(out, scales);
    out.end();
}

void writeLight(Y3dWriter& out, std::uint16_t kind, int id, D3DXVECTOR3 position) {
    Y3dLight light;
    light.kind = kind;
    light.diffuse = {0.6f, 0.6f, 0.5f};
    light.attenuationMode = 0;
    light.innerConeAngle = 30;
    light.outerConeAngle = 60;
    light.directionLength = 1;
    beginLight(out, light);
    writeNodeHeader(out, header("light" + std::to_string(id), id, 1));
    writeStill(out, position);
    out.end();
}

std::vector<std::uint8_t> benchmarkScene() {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 0, 100, 160);
    for (int m = 0; m < 2; ++m) {
        Y3dMaterial material;
        material.diffuse = {0.8f, 0.7f, 0.6f};
        material.specular = {1, 1, 1};
        material.shininess = 0.3f;
        beginMaterial(out, material);
        out.end();
    }
    beginDummy(out);
    writeNodeHeader(out, header("centre", 1));
    writeStill(out, {0, 0, 0});
    out.end();
    beginCamera(out, {0, 1.3f, 30});
    writeNodeHeader(out, header("eye", 2, 1));
    writeStill(out, {0, 0, -30});
    out.end();
    writeLight(out, 0, 3, {0, 5, -10});
    writeLight(out, 1, 4, {-10, 0, -20});
    writeLight(out, 2, 5, {10, 10, -10});
    const std::vector<SceneVertex> vertices = tileVertices();
    const std::vector<Y3dTriangle> triangles = tileTriangles();
    for (int i = 0; i < kColumns * kRows; ++i) writeTile(out, i, vertices, triangles);
    return out.finish();
}

struct NoTextures : SceneTextureSource {
    int loadTexture(const std::string&) override { return -1; }
    int loadAlphaTexture(const std::string&, const std::string&) override { return -1; }
};

struct Fixture {
    CallLog log;
    IDirect3D8* direct3d = nullptr;
    std::unique_ptr<Scene> scene;
    double multiplySeconds = 0;

    Fixture() {
        direct3d = createRecordingDirect3D({}, log);
        D3DPRESENT_PARAMETERS params = windowedPresentParameters(640, 480);
        direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               &params, &currentDevice);
        const std::vector<std::uint8_t> bytes = benchmarkScene();
        scene = readScene(bytes.data(), bytes.size());
        NoTextures textures;
        scene->prepare(textures);
        log.setRecording(false);
        currentDevice->BeginScene();
        multiplySeconds = matrixMultiplySeconds();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

std::size_t visibleMeshes(const Scene& scene) {
    return std::size_t(std::count_if(scene.meshes.begin(), scene.meshes.end(),
                                     [](const SceneMesh* mesh) { return mesh->visible; }));
}

void updateAndDraw(benchmark::State& state) {
    Fixture& f = fixture();
    Scene& scene = *f.scene;
    SceneCamera& camera = *scene.cameras[0];
    float time = 0;
    const double start = threadSeconds();
    for (auto _ : state) {
        scene.update(time);
        drawScene(*currentDevice, scene, camera, 1, 1000, {true, 10, 60, {0, 0, 0, 1}}, time);
        time = time < 1600 ? time + 5.3f : 0;
    }
    const double perFrame = (threadSeconds() - start) / double(state.iterations());
    state.counters["ms_per_frame"] = perFrame * 1e3;
    state.counters["x_matmul"] = perFrame / f.multiplySeconds;
    state.counters["visible_meshes"] = double(visibleMeshes(scene));
    reportGoal("scene_engine_cpu_per_frame", withUnit(perFrame * 1e3, "ms"), "<1ms",
               perFrame < 1e-3);
}

// The scene again on the GL backend, with its own device and buffers.
struct GlFixture {
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<PlainGlScene> plain;

    bool start() {
        direct3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (direct3d == nullptr) return false;
        D3DPRESENT_PARAMETERS params = windowedPresentParameters(640, 480);
        if (FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                          D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device)))
            return false;
        IDirect3DDevice8* previous = currentDevice;
        currentDevice = device;
        const std::vector<std::uint8_t> bytes = benchmarkScene();
        scene = readScene(bytes.data(), bytes.size());
        NoTextures textures;
        scene->prepare(textures);
        currentDevice = previous;
        plain = PlainGlScene::create(*scene);
        return plain != nullptr;
    }

    // One frame through the engine, finished.
    void engineFrame(float time) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000000, 1.0f, 0);
        device->BeginScene();
        scene->update(time);
        drawScene(*device, *scene, *scene->cameras[0], 1, 1000, {true, 10, 60, {0, 0, 0, 1}}, time);
        device->EndScene();
        finishFrame(*device);
    }
};

void glFrame(benchmark::State& state) {
    static GlFixture f;
    static const bool ready = f.start();
    if (!ready) {
        state.SkipWithError("no GL device");
        return;
    }
    float time = 0;
    double engine = 0, plain = 0;
    for (auto _ : state) {
        double start = wallSeconds();
        f.engineFrame(time);
        engine += wallSeconds() - start;
        start = wallSeconds();
        f.plain->drawFrame(*f.scene, *f.scene->cameras[0]);
        plain += wallSeconds() - start;
        time = time < 1600 ? time + 5.3f : 0;
    }
    const double frames = double(state.iterations());
    state.counters["engine_ms"] = engine / frames * 1e3;
    state.counters["plain_gl_ms"] = plain / frames * 1e3;
    state.counters["x_plain_gl"] = engine / plain;
    reportGoal("scene_gl_frame_vs_plain_gl", withUnit(engine / plain, "x"), "<=1.2x",
               engine / plain <= 1.2);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const Fixture& f = fixture();
    std::printf("scene: %zu meshes, 100000 triangles, %zu lights; 4x4 matrix multiply %.2f ns\n",
                f.scene->meshes.size(), f.scene->lights.size(), f.multiplySeconds * 1e9);
    benchmark::RegisterBenchmark("scene_drawing/engine_cpu_per_frame", updateAndDraw)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("scene_drawing/gl_frame", glFrame)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(3.0);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bufferRegistry().releaseAll();
    return 0;
}
