// `tessal-y3d convert` on a generated glTF of 500 animated nodes, each with
// a mesh of 200 triangles (100k in all) and position and rotation keys at
// 30 a second over 10 seconds, as a multiple of reading the same file with
// assimp alone, measured in the same run.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assimp_reading.h"
#include "bench_clock.h"
#include "bench_goal.h"
#include "input_supplements.h"
#include "scene_conversion.h"

namespace {

constexpr int kNodes = 500, kGrid = 10;  // 10 × 10 quads: 200 triangles a node
constexpr int kKeys = 301;               // 30 a second over 10 seconds
constexpr int kVertices = (kGrid + 1) * (kGrid + 1), kIndices = kGrid * kGrid * 6;

void put(std::string& bytes, const void* data, std::size_t size) {
    bytes.append(static_cast<const char*>(data), size);
}

// Per node: vertices, indices, translations, rotations; then the key times.
std::string buffer() {
    std::string bytes;
    for (int n = 0; n < kNodes; ++n) {
        for (int y = 0; y <= kGrid; ++y)
            for (int x = 0; x <= kGrid; ++x) {
                const float p[3] = {float(x), float(y), std::sin(float(n + x * y))};
                put(bytes, p, sizeof p);
            }
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const auto at = [&](int dx, int dy) {
                    return std::uint16_t((y + dy) * (kGrid + 1) + x + dx);
                };
                const std::uint16_t quad[6] = {at(0, 0), at(1, 0), at(1, 1),
                                               at(0, 0), at(1, 1), at(0, 1)};
                put(bytes, quad, sizeof quad);
            }
        for (int k = 0; k < kKeys; ++k) {
            const float t = float(k) / 30, p[3] = {float(n % 25) * 12, float(n / 25) * 12, t};
            put(bytes, p, sizeof p);
        }
        for (int k = 0; k < kKeys; ++k) {
            const float angle = float(k + n) * 0.05f;
            const float q[4] = {0, std::sin(angle / 2), 0, std::cos(angle / 2)};
            put(bytes, q, sizeof q);
        }
    }
    for (int k = 0; k < kKeys; ++k) {
        const float t = float(k) / 30;
        put(bytes, &t, sizeof t);
    }
    return bytes;
}

std::string view(std::size_t offset, std::size_t length) {
    return "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) +
           ",\"byteLength\":" + std::to_string(length) + "}";
}

std::string accessor(int view, int count, const char* type, int component) {
    return "{\"bufferView\":" + std::to_string(view) +
           ",\"componentType\":" + std::to_string(component) +
           ",\"count\":" + std::to_string(count) + ",\"type\":\"" + type + "\"" +
           (view % 4 == 0        ? ",\"min\":[0,0,-1],\"max\":[10,10,1]}"
            : view == kNodes * 4 ? ",\"min\":[0],\"max\":[10]}"
                                 : "}");
}

std::string join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ",") + item;
    return "[" + out + "]";
}

std::string gltf(std::size_t bufferLength) {
    std::vector<std::string> nodes, meshes, views, accessors, channels, samplers, roots;
    const std::size_t perNode = kVertices * 12 + kIndices * 2 + kKeys * 12 + kKeys * 16;
    for (int n = 0; n < kNodes; ++n) {
        const std::size_t base = n * perNode;
        views.push_back(view(base, kVertices * 12));
        views.push_back(view(base + kVertices * 12, kIndices * 2));
        views.push_back(view(base + kVertices * 12 + kIndices * 2, kKeys * 12));
        views.push_back(view(base + kVertices * 12 + kIndices * 2 + kKeys * 12, kKeys * 16));
        accessors.push_back(accessor(4 * n, kVertices, "VEC3", 5126));
        accessors.push_back(accessor(4 * n + 1, kIndices, "SCALAR", 5123));
        accessors.push_back(accessor(4 * n + 2, kKeys, "VEC3", 5126));
        accessors.push_back(accessor(4 * n + 3, kKeys, "VEC4", 5126));
        const std::string i = std::to_string(n), time = std::to_string(kNodes * 4);
        nodes.push_back("{\"name\":\"n" + i + "\",\"mesh\":" + i + "}");
        roots.push_back(i);
        meshes.push_back("{\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(4 * n) +
                         "},\"indices\":" + std::to_string(4 * n + 1) + "}]}");
        for (int s = 0; s < 2; ++s) {
            channels.push_back("{\"sampler\":" + std::to_string(2 * n + s) +
                               ",\"target\":{\"node\":" + i + ",\"path\":\"" +
                               (s == 0 ? "translation" : "rotation") + "\"}}");
            samplers.push_back("{\"input\":" + time +
                               ",\"output\":" + std::to_string(4 * n + 2 + s) + "}");
        }
    }
    views.push_back(view(kNodes * perNode, kKeys * 4));
    accessors.push_back(accessor(kNodes * 4, kKeys, "SCALAR", 5126));
    return "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":" + join(roots) +
           "}],\"nodes\":" + join(nodes) + ",\"meshes\":" + join(meshes) +
           ",\"animations\":[{\"channels\":" + join(channels) + ",\"samplers\":" + join(samplers) +
           "}],\"buffers\":[{\"byteLength\":" + std::to_string(bufferLength) +
           ",\"uri\":\"bench.bin\"}],\"bufferViews\":" + join(views) +
           ",\"accessors\":" + join(accessors) + "}";
}

}  // namespace

int main() {
    // Freed memory stays in the heap for the next run. Otherwise glibc's
    // mmap threshold, which moves with what was freed before, decides run
    // by run whether the 8 MB output is built in fresh pages (some 5000
    // page faults, 10 ms) or in reused ones, and the ratio swings with it.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("tessal-bench-convert-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string bytes = buffer();
    std::ofstream(folder / "bench.bin", std::ios::binary) << bytes;
    std::ofstream(folder / "bench.gltf") << gltf(bytes.size());
    const std::string path = (folder / "bench.gltf").string();
    std::size_t triangles = 0;
    const double readOnly = medianSeconds(1, [&] {
        Assimp::Importer importer;
        std::string error;
        benchmark::DoNotOptimize(readWithAssimp(importer, path, error));
    });
    const double converting = medianSeconds(1, [&] {
        std::string error;
        std::vector<std::string> warnings;
        const std::unique_ptr<aiScene> scene = readInputScene(path, 30, warnings, error);
        if (scene == nullptr) return;
        const ConversionResult result = convertScene(*scene, {}, "bench");
        triangles = result.summary.triangles;
        benchmark::DoNotOptimize(result.bytes.data());
    });
    std::filesystem::remove_all(folder);
    std::printf("assimp read %.1f ms, read and convert %.1f ms (%zu triangles)\n", readOnly * 1e3,
                converting * 1e3, triangles);
    const double ratio = converting / readOnly;
    reportGoal("y3d_convert_vs_assimp_read", withUnit(ratio, "x"), "<=3x",
               triangles == 100000 && ratio <= 3);
    return 0;
}
