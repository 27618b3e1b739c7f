// The statistics overlay: its three lines drawn every frame, as unpacked
// mode does, with the overlay font (Arial, 12 points, bold).
// - overlay/engine_cpu: the three drawText calls on the recording device
//   with its log switched off (a device that keeps its state and checks its
//   calls but draws nothing), as a share of a 60 Hz frame (share_of_60hz).
// - overlay/gl_frame: a whole frame on the GL backend (clear, the lines, a
//   one-pixel read back so the drawing is finished) against an empty frame
//   measured alternately in the same run (x_empty_frame); overlay_ms is the
//   difference, and share_of_60hz its share of a 60 Hz frame. Target: under
//   2 % of a 60 Hz frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_clock.h"
#include "bench_frames.h"
#include "bench_goal.h"
#include "framework/font_texture.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

constexpr double kFrameAt60Hz = 1.0 / 60;

void drawOverlay(FontTexture& font) {
    font.drawText(2, 0, 0xff00ff00, "Total time: 12.345678", 0);
    font.drawText(2, 14, 0xff00ff00, "fps: 59.940060", 0);
    font.drawText(2, 28, 0xff00ff00, "59.94 fps (640x480x32) (D24S8)", 0);
}

// A device and the overlay font on it.
struct OverlayDevice {
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    std::unique_ptr<FontTexture> font;

    bool start(IDirect3D8* made) {
        direct3d = made;
        D3DPRESENT_PARAMETERS params = windowedPresentParameters(640, 480);
        if (!direct3d ||
            FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                          D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device)))
            return false;
        font = std::make_unique<FontTexture>("Arial", 12, fontBold);
        return SUCCEEDED(font->initDeviceObjects(device)) &&
               SUCCEEDED(font->restoreDeviceObjects());
    }

    // One frame, finished by reading a pixel back.
    void frame(bool overlay) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff102030, 1.0f, 0);
        device->BeginScene();
        if (overlay) drawOverlay(*font);
        device->EndScene();
        finishFrame(*device);
    }
};

void engineCpu(benchmark::State& state) {
    static CallLog log;
    static OverlayDevice recording;
    static const bool ready = recording.start(createRecordingDirect3D({}, log));
    if (!ready) return state.SkipWithError("no recording device");
    log.setRecording(false);
    recording.device->BeginScene();
    const double start = threadSeconds();
    for (auto _ : state) drawOverlay(*recording.font);
    const double perFrame = (threadSeconds() - start) / double(state.iterations());
    state.counters["us_per_frame"] = perFrame * 1e6;
    state.counters["share_of_60hz"] = perFrame / kFrameAt60Hz;
}

void glFrame(benchmark::State& state) {
    static OverlayDevice gl;
    static const bool ready = gl.start(Direct3DCreate8(D3D_SDK_VERSION));
    if (!ready) return state.SkipWithError("no GL device");
    double withOverlay = 0, empty = 0;
    for (auto _ : state) {
        double start = wallSeconds();
        gl.frame(true);
        withOverlay += wallSeconds() - start;
        start = wallSeconds();
        gl.frame(false);
        empty += wallSeconds() - start;
    }
    const double frames = double(state.iterations());
    const double overlay = (withOverlay - empty) / frames;
    state.counters["x_empty_frame"] = withOverlay / empty;
    state.counters["overlay_ms"] = overlay * 1e3;
    state.counters["share_of_60hz"] = overlay / kFrameAt60Hz;
    reportGoal("overlay_gl_share_of_60hz_frame", withUnit(overlay / kFrameAt60Hz * 100, "%"), "<2%",
               overlay / kFrameAt60Hz < 0.02);
}

}  // namespace

BENCHMARK(engineCpu)->Name("overlay/engine_cpu")->Unit(benchmark::kMicrosecond);
BENCHMARK(glFrame)->Name("overlay/gl_frame")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
