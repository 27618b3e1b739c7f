// Image layers on the OpenGL backend against a plain OpenGL 3.3 program
// doing the same work (support/plain_gl_images.h): N layers (1, 10, 100),
// each a quad covering the whole back buffer with one 256 × 256 texture,
// alpha-blended, at 640 × 480 and 1920 × 1080. The engine's frame is the
// player's own (clear, every layer through the layer table and
// ImageEffect::render, present), finished by a one-pixel read back; the
// plain program clears, draws the quads and reads one pixel back. Frames of
// the two alternate (which goes first alternates too). Each frame's time is
// the processor time of the whole process, the driver's threads included
// (llvmpipe under SDL's offscreen driver draws on threads of its own): on a
// machine shared with other work, wall-clock medians of a few long frames
// move with the load by far more than the difference measured. Counters:
// the medians and their ratio (x_plain_gl, the goal); wall-clock as a check
// that the layer adds no waiting: the ratio of the medians (x_wall) and the
// median of each alternated pair's ratio (x_wall_pairs).
// Goal gl_image_layers_N_WxH_vs_plain_gl: at most 1.2.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_demo.h"
#include "bench_frames.h"
#include "bench_goal.h"
#include "bench_picture.h"
#include "bench_production.h"
#include "plain_gl_images.h"
#include "platform/d3d8/gl/gl_translate.h"

namespace {

constexpr double kBudgetSeconds = 3.0;  // per point, after at least kMinPairs
constexpr int kMinPairs = 9;
constexpr int kMaxPairs = 400;

// `layers` layers, each the 256 × 256 picture stretched over the whole
// virtual screen of 640 × 480 units, blended with source alpha, linear.
std::string fullScreenLayerScript(int layers) {
    std::ostringstream script;
    script << "setendtime(1000000)\nloadtexture('layer.tga')\nfor i = 1, " << layers
           << " do\n  local l = layer(0, 'layer.tga', 5, 6, 1)\n  start(0, l) stop(1000000, l)\n"
              "  setimagepos(0, l, 320, 240) setimagescale(0, l, 2.5, 1.875)\nend\n";
    return script.str();
}

GLenum depthFormatOf(IDirect3DDevice8& device) {
    IDirect3DSurface8* depth = nullptr;
    D3DSURFACE_DESC desc{};
    if (SUCCEEDED(device.GetDepthStencilSurface(&depth))) {
        depth->GetDesc(&desc);
        depth->Release();
    }
    return glFormat(desc.Format).internalFormat;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Frame times of one side: wall-clock, and processor time of the whole
// process (the driver's threads draw).
struct FrameTimes {
    std::vector<double> wall, processor;

    template <class Frame>
    void time(Frame frame) {
        const double wallStart = wallSeconds(), processorStart = processSeconds();
        frame();
        processor.push_back(processSeconds() - processorStart);
        wall.push_back(wallSeconds() - wallStart);
    }
};

// Each pair's wall-clock ratio: neighbours in time share the machine's load.
std::vector<double> pairRatios(const FrameTimes& engine, const FrameTimes& plain) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < engine.wall.size(); ++i)
        ratios.push_back(engine.wall[i] / plain.wall[i]);
    return ratios;
}

void BM_GlImageLayers(benchmark::State& state) {
    const int layers = int(state.range(0));
    const auto width = UINT(state.range(1)), height = UINT(state.range(2));
    BenchProduction production(fullScreenLayerScript(layers));
    production.addFile("layer.tga", benchPictureTga());
    BenchDemo demo(BenchBackend::OpenGl, width, height);
    std::unique_ptr<PlainGlImages> plain;
    if (demo.started())
        plain = PlainGlImages::create(GLsizei(width), GLsizei(height), depthFormatOf(demo.device()),
                                      benchPicturePixels(), BENCH_PICTURE_SIDE);
    if (plain == nullptr) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    const auto engineFrame = [&] {
        demo.frame();
        finishFrame(demo.device());
    };
    const auto plainFrame = [&] { plain->drawFrame(layers); };
    for (int i = 0; i < 2; ++i) engineFrame(), plainFrame();  // warm up
    FrameTimes engine, reference;
    for (auto _ : state) {
        const double start = wallSeconds();
        for (int pair = 0; pair < kMaxPairs; ++pair) {
            if (pair >= kMinPairs && wallSeconds() - start > kBudgetSeconds) break;
            if (pair % 2 == 0)
                engine.time(engineFrame), reference.time(plainFrame);
            else
                reference.time(plainFrame), engine.time(engineFrame);
        }
    }
    const double engineMs = median(engine.processor) * 1e3;
    const double plainMs = median(reference.processor) * 1e3;
    const double ratio = engineMs / plainMs;
    state.counters["engine_cpu_ms"] = engineMs;
    state.counters["plain_gl_cpu_ms"] = plainMs;
    state.counters["x_plain_gl"] = ratio;
    state.counters["x_wall"] = median(engine.wall) / median(reference.wall);
    state.counters["x_wall_pairs"] = median(pairRatios(engine, reference));
    state.counters["pairs"] = double(engine.wall.size());
    reportGoal("gl_image_layers_" + std::to_string(layers) + "_" + std::to_string(width) + "x" +
                   std::to_string(height) + "_vs_plain_gl",
               withUnit(ratio, "x"), "<=1.2x", ratio <= 1.2);
}
BENCHMARK(BM_GlImageLayers)
    ->ArgsProduct({{1, 10, 100}, {640}, {480}})
    ->ArgsProduct({{1, 10, 100}, {1920}, {1080}})
    ->ArgNames({"layers", "width", "height"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
