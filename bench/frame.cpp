// The engine's own cost per frame: this thread's processor time for a frame
// of 1, 100 and 1000 image layers (a 256 × 256 texture, alpha-blended,
// turning and changing colour), with and without a depth clear in each
// layer, on the recording backend with neither pixels nor a log (a device
// that keeps its state and checks its calls and does nothing else). The
// median of nine runs; x_empty is the multiple of an empty frame measured
// in the same run.
// Goals: engine_1000_layers under 1 ms; engine_1000_layers_depth_clear under
// 1 ms plus what the device itself spends on 1000 depth clears (measured in
// the same run, shown in the goal line).
//
// BM_StartupToFirstFrame: start-up (catalog, window, device, script state)
// to the first frame on the OpenGL backend, against one more frame.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "bench_clock.h"
#include "bench_demo.h"
#include "bench_goal.h"
#include "bench_picture.h"
#include "bench_production.h"

namespace {

// `layers` image layers active for the whole run; each clears the depth
// buffer first when `depthClear` is set.
std::string imageLayerScript(int layers, bool depthClear) {
    std::ostringstream script;
    script
        << "setendtime(1000000)\nloadtexture('layer.tga')\nfor i = 1, " << layers
        << " do\n  local l = layer(0, 'layer.tga', 5, 6)\n  start(0, l) stop(1000000, l)\n"
        << (depthClear ? "  clear(l, 0, 1)\n" : "")
        << "  setimagepos(0, l, mod(i * 37, 640), mod(i * 53, 480))\n"
           "  setimagerot(0, l, 0) setimagerot(1000, l, 36000)\n"
           "  setimagecolor(0, l, 255, 255, 255, 255) setimagecolor(1000, l, 90, 180, 255, 128)\n"
           "end\n";
    return script.str();
}

struct FrameCost {
    double frame = -1;  // seconds of this thread's time per frame; negative: no device
    double clears = 0;  // seconds for as many depth clears on the device alone
};

FrameCost engineFrameCost(int layers, bool depthClear) {
    BenchProduction production(imageLayerScript(layers, depthClear));
    production.addFile("layer.tga", benchPictureTga());
    BenchDemo demo(BenchBackend::NoPixels, 640, 480);
    FrameCost cost;
    if (!demo.started()) return cost;
    const int frames = layers >= 1000 ? 20 : 200;
    cost.frame = medianSeconds(frames, [&] { demo.frame(); });
    IDirect3DDevice8& device = demo.device();
    cost.clears = medianSeconds(frames, [&] {
        for (int i = 0; i < layers; ++i) device.Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    });
    return cost;
}

void BM_EngineFrame(benchmark::State& state) {
    const int layers = int(state.range(0));
    const bool depthClear = state.range(1) != 0;
    const FrameCost empty = engineFrameCost(0, false);
    FrameCost cost;
    for (auto _ : state) cost = engineFrameCost(layers, depthClear);
    if (cost.frame < 0 || empty.frame < 0) {
        state.SkipWithError("no recording device or script");
        return;
    }
    const double ms = cost.frame * 1e3, clearMs = cost.clears * 1e3;
    state.counters["frame_ms"] = ms;
    state.counters["x_empty"] = cost.frame / empty.frame;
    if (depthClear) state.counters["device_clears_ms"] = clearMs;
    if (layers != 1000) return;
    if (!depthClear) {
        reportGoal("engine_1000_layers", withUnit(ms, "ms"), "<1ms", ms < 1.0);
        return;
    }
    reportGoal("engine_1000_layers_depth_clear",
               withUnit(ms, "ms") + "(device_clears:" + withUnit(clearMs, "ms", 3) + ")",
               "<1ms+clear", ms < 1.0 + clearMs);
}
BENCHMARK(BM_EngineFrame)
    ->ArgsProduct({{1, 100, 1000}, {0, 1}})
    ->ArgNames({"layers", "depth_clear"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Start-up (create: catalog, window, device, script state) to the first
// presented frame on the OpenGL backend, against one more frame.
void BM_StartupToFirstFrame(benchmark::State& state) {
    BenchProduction production(imageLayerScript(1, true));
    production.addFile("layer.tga", benchPictureTga());
    double startup = 0, frame = 0;
    for (auto _ : state) {
        const double start = wallSeconds();
        BenchDemo demo(BenchBackend::OpenGl, 640, 480);
        if (!demo.started()) {
            state.SkipWithError("no OpenGL device");
            break;
        }
        const double first = wallSeconds();
        demo.frame();
        const double second = wallSeconds();
        startup = first - start;
        frame = second - first;
    }
    state.counters["startup_ms"] = startup * 1e3;
    state.counters["x_empty"] = frame > 0 ? startup / frame : 0;
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
