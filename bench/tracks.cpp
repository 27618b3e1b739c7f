// Cost of key track evaluation and of one scene node update, per call and as
// a multiple of a plain 4 × 4 matrix multiply measured in the same run
// (counter x_matmul).
#include <benchmark/benchmark.h>

#include "bench_clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "anim/track_kinds.h"
#include "d3dx/d3dx_math.h"

namespace {

constexpr float kTrackLength = 1000.0f;
constexpr std::size_t kProbeCount = 4096;  // a power of two, cycled through

std::vector<float> randomTimes(std::size_t count, float from, float to, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> time(from, to);
    std::vector<float> times(count);
    for (float& t : times) t = time(generator);
    return times;
}

// Evaluation times spread over the track and a little beyond both ends.
std::vector<float> probeTimes() {
    return randomTimes(kProbeCount, -10.0f, kTrackLength + 10, 7);
}

D3DXQUATERNION randomTurn(std::mt19937& generator) {
    std::normal_distribution<float> component;
    D3DXQUATERNION q = {component(generator), component(generator), component(generator),
                        component(generator)};
    const float length = std::sqrt(D3DXQuaternionDot(&q, &q));
    return {q.x / length, q.y / length, q.z / length, q.w / length};
}

VectorTrack vectorTrack(std::size_t keyCount, unsigned seed) {
    VectorTrack track;
    for (float t : randomTimes(keyCount, 0, kTrackLength, seed)) track.addKey({t, {t, -t, 2 * t}});
    track.sortKeys();
    return track;
}

RotationTrack rotationTrack(std::size_t keyCount, unsigned seed) {
    std::mt19937 generator(seed);
    RotationTrack track;
    for (float t : randomTimes(keyCount, 0, kTrackLength, seed)) {
        track.addKey({t, randomTurn(generator)});
    }
    track.prepare();
    return track;
}

// Times the benchmark loop and reports its time per call as a multiple of
// the reference.
class RatioToReference {
  public:
    RatioToReference(benchmark::State& state, double referenceSeconds)
        : state_(state), referenceSeconds_(referenceSeconds), start_(threadSeconds()) {}
    ~RatioToReference() {
        const double perCall = (threadSeconds() - start_) / double(state_.iterations());
        state_.counters["x_matmul"] = perCall / referenceSeconds_;
    }

  private:
    benchmark::State& state_;
    double referenceSeconds_;
    double start_;
};

void matrixMultiply(benchmark::State& state, double referenceSeconds) {
    D3DXMATRIX a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16), b = a, out;
    const RatioToReference ratio(state, referenceSeconds);
    for (auto _ : state) {
        benchmark::DoNotOptimize(&a);
        benchmark::DoNotOptimize(&b);
        benchmark::DoNotOptimize(D3DXMatrixMultiply(&out, &a, &b));
        benchmark::ClobberMemory();
    }
}

template <typename Track>
void evaluateTrack(benchmark::State& state, const Track& track, double referenceSeconds) {
    const std::vector<float> times = probeTimes();
    std::size_t next = 0;
    const RatioToReference ratio(state, referenceSeconds);
    for (auto _ : state) {
        benchmark::DoNotOptimize(track.evaluate(times[next]));
        next = (next + 1) & (kProbeCount - 1);
    }
}

void vectorEvaluation(benchmark::State& state, double referenceSeconds) {
    evaluateTrack(state, vectorTrack(state.range(0), 11), referenceSeconds);
}

void rotationEvaluation(benchmark::State& state, double referenceSeconds) {
    evaluateTrack(state, rotationTrack(state.range(0), 13), referenceSeconds);
}

// One node of a scene: three tracks evaluated, the local matrix composed as
// scale, rotation, translation, then taken into the parent's space.
struct Node {
    VectorTrack position, scale;
    RotationTrack rotation;
    D3DXMATRIX world;
    D3DXVECTOR3 worldPosition;

    void update(float t, const D3DXMATRIX& parentWorld) {
        D3DXVECTOR3 p = position.evaluate(t), s = scale.evaluate(t);
        const D3DXQUATERNION q = rotation.evaluate(t);
        D3DXMATRIX step;
        D3DXMatrixIdentity(&world);
        D3DXMatrixMultiply(&world, &world, D3DXMatrixScaling(&step, s.x, s.y, s.z));
        D3DXMatrixMultiply(&world, &world, D3DXMatrixRotationQuaternion(&step, &q));
        D3DXMatrixMultiply(&world, &world, D3DXMatrixTranslation(&step, p.x, p.y, p.z));
        D3DXMatrixMultiply(&world, &world, &parentWorld);
        D3DXVec3TransformCoord(&worldPosition, &p, &parentWorld);
    }
};

void nodeUpdate(benchmark::State& state, double referenceSeconds) {
    const std::size_t keys = state.range(0);
    Node node{vectorTrack(keys, 17), vectorTrack(keys, 19), rotationTrack(keys, 23), {}, {}};
    D3DXMATRIX parent;
    D3DXMatrixTranslation(&parent, 10, 0, 0);
    const std::vector<float> times = probeTimes();
    std::size_t next = 0;
    const RatioToReference ratio(state, referenceSeconds);
    for (auto _ : state) {
        node.update(times[next], parent);
        benchmark::DoNotOptimize(node.world);
        benchmark::DoNotOptimize(node.worldPosition);
        next = (next + 1) & (kProbeCount - 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const double reference = matrixMultiplySeconds();
    std::printf("reference: one 4x4 matrix multiply = %.2f ns\n", reference * 1e9);
    benchmark::RegisterBenchmark("reference/matrix_multiply", matrixMultiply, reference);
    benchmark::RegisterBenchmark("vector_track_evaluate", vectorEvaluation, reference)
        ->Arg(2)
        ->Arg(10)
        ->Arg(100)
        ->Arg(1000);
    benchmark::RegisterBenchmark("rotation_track_evaluate", rotationEvaluation, reference)
        ->Arg(2)
        ->Arg(10)
        ->Arg(100)
        ->Arg(1000);
    benchmark::RegisterBenchmark("node_update", nodeUpdate, reference)->Arg(2)->Arg(10)->Arg(100);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
