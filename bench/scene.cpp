// Scene costs for a scene of 100 000 triangles in 100 meshes (10 of them
// packed morphing meshes) among 500 nodes with keyed tracks: reading the
// file, reading and preparing it (buffers on the recording device, tracks
// sorted; no textures), Scene::update at a new time, and one morph fill.
// Each reports time per node and per vertex, and a ratio to a reference
// measured in the same run: copying the file's bytes (x_memcpy) for reading
// and preparing, one 4 × 4 matrix multiply (x_matmul) for updating.
#include <benchmark/benchmark.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "app/current_device.h"
#include "d3dx/d3dx_math.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "scene/buffer_registry.h"
#include "scene/scene_reader.h"
#include "scene/y3d_chunk_writers.h"

namespace {

constexpr int kMeshes = 100;
constexpr int kPackedMeshes = 10;
constexpr int kOtherNodes = 400;
constexpr int kKeys = 8;
constexpr int kGridWidth = 25, kGridHeight = 20;  // 1000 triangles per mesh

std::vector<D3DXVECTOR3> gridPositions(float lift) {
    std::vector<D3DXVECTOR3> positions;
    for (int y = 0; y <= kGridHeight; ++y)
        for (int x = 0; x <= kGridWidth; ++x)
            positions.push_back({float(x), float(y), lift * float((x * y) % 7)});
    return positions;
}

std::vector<Y3dTriangle> gridTriangles() {
    std::vector<Y3dTriangle> triangles;
    const auto at = [](int x, int y) { return std::uint16_t(y * (kGridWidth + 1) + x); };
    for (int y = 0; y < kGridHeight; ++y)
        for (int x = 0; x < kGridWidth; ++x) {
            triangles.push_back({at(x + 1, y), at(x, y), at(x, y + 1)});
            triangles.push_back({at(x + 1, y + 1), at(x + 1, y), at(x, y + 1)});
        }
    return triangles;
}

void writeTracks(Y3dWriter& out, int seed) {
    std::vector<Y3dVectorKey> positions, scales;
    std::vector<Y3dRotationKey> rotations;
    for (int k = 0; k < kKeys; ++k) {
        const int time = ((k * 37 + seed) % kKeys) * 160;  // not in time order
        positions.push_back({time, {float(k), float(seed % 5), 0}});
        scales.push_back({time, {1, 1, 1}});
        rotations.push_back({time, {0, 0.0998f, 0, 0.995f}});
    }
    writePositionTrack(out, positions);
    writeRotationTrack(out, rotations);
    writeScaleTrack(out, scales);
}

Y3dNodeHeader header(int id, int parent) {
    Y3dNodeHeader h;
    h.name = "node" + std::to_string(id);
    h.id = id;
    h.parentId = parent;
    return h;
}

void writePacked(Y3dWriter& out) {
    Y3dPackedMesh packed;
    packed.vertexCount = std::uint32_t(gridPositions(0).size());
    for (int f = 0; f < 4; ++f) packed.frames.push_back({f * 160, gridPositions(float(f))});
    packed.faces = gridTriangles();
    for (std::size_t i = 0; i < packed.faces.size(); ++i) {
        packed.faceMaterials.push_back(std::uint16_t(i % 2));
        packed.smoothingGroups.push_back(std::uint16_t((i / 50) % 2));
    }
    beginPackedMesh(out, packed);
}

std::vector<std::uint8_t> benchmarkScene() {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 0, 100, 160);
    for (int m = 0; m < 2; ++m) {
        beginMaterial(out, {});
        out.end();
    }
    const std::vector<SceneVertex> vertices = [] {
        std::vector<SceneVertex> v;
        for (const D3DXVECTOR3& p : gridPositions(0.5f)) v.push_back({p, {0, 0, 1}, p.x, p.y});
        return v;
    }();
    for (int id = 1; id <= kMeshes + kOtherNodes; ++id) {
        if (id <= kPackedMeshes)
            writePacked(out);
        else if (id <= kMeshes)
            beginMesh(out);
        else if (id % 8 == 0)
            beginCamera(out, {0, 0.8f, 10});
        else if (id % 8 == 1)
            beginLight(out, {});
        else
            beginDummy(out);
        writeNodeHeader(out, header(id, id > 1 ? (id * 7) % (id - 1) : -1));
        if (id > kPackedMeshes && id <= kMeshes) {
            writeMeshVertices(out, vertices);
            writeMeshFaceGroup(out, 0, gridTriangles());
        }
        writeTracks(out, id);
        out.end();
    }
    return out.finish();
}

struct NoTextures : SceneTextureSource {
    int loadTexture(const std::string&) override { return -1; }
    int loadAlphaTexture(const std::string&, const std::string&) override { return -1; }
};

struct SceneSize {
    double nodes = 0, vertices = 0;
};

SceneSize sizeOf(const Scene& scene) {
    SceneSize size{double(scene.nodes.size()), 0};
    for (const SceneMesh* mesh : scene.meshes) size.vertices += double(mesh->vertices.size());
    return size;
}

// Times the loop; reports per node, per vertex and as a multiple of the reference.
class Report {
  public:
    Report(benchmark::State& state, SceneSize size, const char* reference, double seconds)
        : state_(state),
          size_(size),
          reference_(reference),
          referenceSeconds_(seconds),
          start_(threadSeconds()) {}
    ~Report() {
        const double perCall = (threadSeconds() - start_) / double(state_.iterations());
        state_.counters["ns_per_node"] = perCall * 1e9 / size_.nodes;
        state_.counters["ns_per_vertex"] = perCall * 1e9 / size_.vertices;
        state_.counters[reference_] = perCall / referenceSeconds_;
    }

  private:
    benchmark::State& state_;
    SceneSize size_;
    const char* reference_;
    double referenceSeconds_;
    double start_;
};

struct Fixture {
    CallLog log;
    IDirect3D8* direct3d = nullptr;
    std::vector<std::uint8_t> bytes = benchmarkScene();
    double copySeconds = 0, multiplySeconds = 0;
    SceneSize size;

    Fixture() {
        direct3d = createRecordingDirect3D({}, log);
        D3DPRESENT_PARAMETERS params{};
        params.BackBufferWidth = params.BackBufferHeight = 8;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.BackBufferCount = 1;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               &params, &currentDevice);
        std::vector<std::uint8_t> copy(bytes.size());
        copySeconds = medianSeconds(20, [&] {
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            benchmark::DoNotOptimize(copy.data());
            benchmark::ClobberMemory();
        });
        multiplySeconds = matrixMultiplySeconds();
        size = sizeOf(*readScene(bytes.data(), bytes.size()));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void readOnly(benchmark::State& state) {
    Fixture& f = fixture();
    const Report report(state, f.size, "x_memcpy", f.copySeconds);
    for (auto _ : state) benchmark::DoNotOptimize(readScene(f.bytes.data(), f.bytes.size()));
}

void readAndPrepare(benchmark::State& state) {
    Fixture& f = fixture();
    NoTextures textures;
    const Report report(state, f.size, "x_memcpy", f.copySeconds);
    for (auto _ : state) {
        auto scene = readScene(f.bytes.data(), f.bytes.size());
        scene->prepare(textures);
        bufferRegistry().releaseAll();
        f.log.clear();
    }
}

void updateAtNewTimes(benchmark::State& state) {
    Fixture& f = fixture();
    auto scene = readScene(f.bytes.data(), f.bytes.size());
    scene->prepareTracks();
    float time = 0;
    const Report report(state, f.size, "x_matmul", f.multiplySeconds);
    for (auto _ : state) {
        scene->update(time);
        time = time < 1200 ? time + 0.37f : 0;
        benchmark::DoNotOptimize(scene->root.children.front()->world);
    }
}

void morphFillAtNewTimes(benchmark::State& state) {
    Fixture& f = fixture();
    auto scene = readScene(f.bytes.data(), f.bytes.size());
    NoTextures textures;
    scene->prepare(textures);
    SceneSize morphSize{double(kPackedMeshes), 0};
    for (int m = 0; m < kPackedMeshes; ++m)
        morphSize.vertices += double(scene->meshes[m]->vertices.size());
    float time = 0;
    const Report report(state, morphSize, "x_memcpy", f.copySeconds);
    for (auto _ : state) {
        for (int m = 0; m < kPackedMeshes; ++m) scene->meshes[m]->updateMorph(time);
        time = time < 480 ? time + 0.37f : 0;
        f.log.clear();
    }
    bufferRegistry().releaseAll();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const Fixture& f = fixture();
    std::printf("scene: %zu bytes, %.0f nodes, %.0f vertices, 100000 triangles\n", f.bytes.size(),
                f.size.nodes, f.size.vertices);
    std::printf("references: memcpy of the file %.1f us, 4x4 matrix multiply %.2f ns\n",
                f.copySeconds * 1e6, f.multiplySeconds * 1e9);
    benchmark::RegisterBenchmark("scene/read", readOnly)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scene/read_and_prepare", readAndPrepare)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scene/update_new_time", updateAtNewTimes)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("scene/morph_fill_10_meshes", morphFillAtNewTimes)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
