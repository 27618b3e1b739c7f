// The engine's own cost per frame on the recording backend for 1, 100 and
// 1000 layers, and start-up to the first presented frame on the OpenGL
// backend, each as a multiple of an empty frame measured in the same run
// (counter x_empty).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/current_device.h"
#include "app/demo_app.h"
#include "app/effect_modules.h"
#include "framework/frame_timer.h"
#include "framework/manual_clock.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/win32/win32.h"

namespace {

namespace fs = std::filesystem;

// An effect that draws nothing: what is measured is the engine around it.
class IdleEffect : public Effect {
  public:
    int typeId() override { return 0; }
    bool init(int, lua_State*) override { return true; }
    void render(float time, float) override { benchmark::DoNotOptimize(time); }
    void releaseDeviceResources(int) override {}
};

class IdleModule : public EffectModule {
  public:
    void registerScriptFunctions(lua_State*) override {}
    int effectTypeCount() override { return 1; }
    int effectTypeId(int) override { return 0; }
    std::unique_ptr<Effect> createEffect(int) override { return std::make_unique<IdleEffect>(); }
};

class BenchApp : public DemoApp {
  public:
    HRESULT onAppInit() override {
        HRESULT result = DemoApp::onAppInit();
        effectModules().push_back(&module);
        return result;
    }
    IdleModule module;
};

// A production folder whose script makes `layers` layers, each with an
// interval and a clear, that stay active for the whole run.
class Production {
  public:
    explicit Production(int layers) {
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "tessal-bench-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        fs::create_directories(dir_ / "data");
        std::ofstream(dir_ / "data/script.lua")
            << "setendtime(1000000)\nfor i = 1, " << layers
            << " do\n  local l = layer(0)\n  start(0, l) stop(1000000, l)\n  clear(l, 0, 1)\n"
               "end\n";
        fs::current_path(dir_);
    }
    ~Production() {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }

  private:
    fs::path dir_, previous_;
};

// Runs `frames` frames of a production with `layers` layers on the
// recording backend; returns the seconds per frame.
double recordedFrameSeconds(int layers, int frames, benchmark::State* state = nullptr) {
    Production production(layers);
    ManualClock clock;
    useClockForFrameTimer(clock);
    useNullWindowSystem();
    RecordingConfig config;
    CallLog log;
    BenchApp app;
    app.direct3DFactory = [&](UINT) { return createRecordingDirect3D(config, log); };
    app.create(nullptr);
    clock.advance(1);
    app.renderFrame();  // runs the script
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        clock.advance(1000);
        app.renderFrame();
        if (log.calls().size() > 100000) log.clear();  // the log is not what is measured
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SendMessageA(app.window, WM_CLOSE, 0, 0);
    effectModules().clear();
    useClockForFrameTimer(systemClock());
    return seconds / frames;
}

void BM_FrameWithLayers(benchmark::State& state) {
    const int layers = int(state.range(0));
    const double empty = recordedFrameSeconds(0, 2000);
    double perFrame = 0;
    for (auto _ : state) perFrame = recordedFrameSeconds(layers, 200);
    state.counters["frame_us"] = perFrame * 1e6;
    state.counters["x_empty"] = perFrame / empty;
}
BENCHMARK(BM_FrameWithLayers)
    ->Arg(1)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Start-up (create: catalog, window, device, script state) to the first
// presented frame on the OpenGL backend, against one more frame.
void BM_StartupToFirstFrame(benchmark::State& state) {
    Production production(1);
    double startup = 0, frame = 0;
    for (auto _ : state) {
        ManualClock clock;
        useClockForFrameTimer(clock);
        useNullWindowSystem();
        BenchApp app;
        auto start = std::chrono::steady_clock::now();
        if (FAILED(app.create(nullptr))) {
            state.SkipWithError("no OpenGL device");
            break;
        }
        clock.advance(1);
        app.renderFrame();
        auto first = std::chrono::steady_clock::now();
        clock.advance(1000);
        app.renderFrame();
        auto second = std::chrono::steady_clock::now();
        startup = std::chrono::duration<double>(first - start).count();
        frame = std::chrono::duration<double>(second - first).count();
        SendMessageA(app.window, WM_CLOSE, 0, 0);
        effectModules().clear();
        useClockForFrameTimer(systemClock());
    }
    state.counters["startup_ms"] = startup * 1e3;
    state.counters["x_empty"] = frame > 0 ? startup / frame : 0;
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
