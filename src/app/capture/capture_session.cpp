#include "app/capture/capture_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/capture/capture_progress.h"
#include "app/capture/golden_comparison.h"
#include "app/capture/png_frames.h"
#include "app/capture/video_file.h"
#include "app/demo_steps.h"
#include "app/startup.h"
#include "framework/manual_clock.h"
#include "media/music_player.h"
#include "media/music_render.h"
#include "platform/win32/quit_requests.h"
#include "platform/win32/win32.h"

namespace {

// Hands the back buffer to every sink; false when one of them failed.
bool deliverFrame(IDirect3DDevice8* device, CapturedFrame frame, const FrameSinks& sinks) {
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return false;
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    bool delivered = false;
    if (SUCCEEDED(surface->GetDesc(&desc)) && SUCCEEDED(surface->LockRect(&locked, nullptr, 0))) {
        frame.width = int(desc.Width);
        frame.height = int(desc.Height);
        frame.pixels = static_cast<const std::uint8_t*>(locked.pBits);
        frame.pitch = locked.Pitch;
        delivered = true;
        for (const auto& sink : sinks) delivered = delivered && sink->write(frame);
        surface->UnlockRect();
    }
    surface->Release();
    return delivered;
}

struct CaptureRun {
    int frames = 0;         // frames every sink took
    bool complete = false;  // false after an interruption or a failed frame
};

// Renders the frames up to the end time or the demo's end.
CaptureRun captureFrames(CaptureApp& app, ManualClock& clock, const CaptureOptions& options,
                         const FrameSinks& sinks) {
    const float to = options.to.value_or(app.endTime);
    const int total = stepCount(options.from, to, options.fps);
    CaptureProgress progress(total, isatty(STDERR_FILENO) != 0);
    DemoSteps steps(clock);
    CaptureRun run{0, true};
    for (int k = 0; k < total && run.complete; ++k) {
        if (quitSignalled()) {
            std::fprintf(stderr, "tessal-capture: interrupted after %d frames\n", k);
            run.complete = false;
            break;
        }
        const double demoTime = options.from + double(k) / options.fps;
        steps.moveTo(demoTime - app.startTime);
        if (FAILED(app.renderFrame())) break;  // the demo has ended
        run.complete = deliverFrame(app.device, CapturedFrame{k, demoTime}, sinks);
        if (run.complete) run.frames = k + 1;
        progress.frameDone(run.frames);
    }
    progress.end(run.frames);
    return run;
}

bool openSinks(const FrameSinks& sinks) {
    for (const auto& sink : sinks)
        if (!sink->open()) return false;
    return true;
}

bool finishSinks(const FrameSinks& sinks, int frames) {
    bool finished = true;
    for (const auto& sink : sinks) finished = sink->finish(frames) && finished;
    return finished;
}

// What the player would have played over `frames` frames; none when the
// production has no music.
std::optional<MusicRenderRequest> musicRequest(const CaptureApp& app, const CaptureOptions& options,
                                               int frames) {
    if (musicPlayer().path.empty()) return std::nullopt;
    return MusicRenderRequest{musicPlayer().path, app.musicStartTime, app.startTime, options.from,
                              options.from + double(frames) / options.fps};
}

// music.wav: what the player would have played over the captured frames.
bool captureMusic(const CaptureApp& app, const CaptureOptions& options, int frames) {
    const auto request = musicRequest(app, options, frames);
    if (!request || frames <= 0 || options.noFrames) return true;
    return renderMusicToWav(*request,
                            (std::filesystem::path(options.outDir) / "music.wav").string());
}

// Runs the script, then renders the frames into the sinks; the exit code.
int captureProduction(CaptureApp& app, ManualClock& clock, const CaptureOptions& options) {
    if (FAILED(app.resizeBackBuffer(options.width, options.height))) {
        std::fprintf(stderr, "tessal-capture: cannot size the frames to %dx%d\n", options.width,
                     options.height);
        return 1;
    }
    // The first frame runs the script, as in the player.
    clock.advance(1);
    app.renderFrame();
    if (!app.scriptLoaded()) {
        std::fprintf(stderr, "tessal-capture: the script failed; nothing captured\n");
        return 1;
    }
    const FrameSinks sinks = makeFrameSinks(options, musicRequest(app, options, 0));
    if (!openSinks(sinks)) return 1;
    const CaptureRun run = captureFrames(app, clock, options, sinks);
    const bool finished = finishSinks(sinks, run.frames);
    const bool music = captureMusic(app, options, run.frames);
    return run.complete && finished && music ? 0 : 1;
}

}  // namespace

FrameSinks makeFrameSinks(const CaptureOptions& options,
                          const std::optional<MusicRenderRequest>& music) {
    FrameSinks sinks;
    // Before the PNG files: compared with itself, a golden frame is read
    // before the capture could write over it.
    if (!options.goldenDir.empty())
        sinks.push_back(
            std::make_unique<GoldenComparison>(options.goldenDir, options.outDir, options.minPsnr));
    if (!options.noFrames) sinks.push_back(std::make_unique<PngFrames>(options.outDir));
    if (!options.video.empty()) {
        const PictureSettings picture{options.width, options.height, options.fps};
        sinks.push_back(std::make_unique<VideoFile>(
            VideoSettings{options.video, options.crf, picture, options.from, music}));
    }
    return sinks;
}

HRESULT CaptureApp::resizeBackBuffer(int width, int height) {
    presentParams.BackBufferWidth = UINT(width);
    presentParams.BackBufferHeight = UINT(height);
    return resetDevice();
}

int runCapture(const CaptureOptions& options) {
    CaptureApp app;
    return runCapture(options, app);
}

int runCapture(const CaptureOptions& options, CaptureApp& app) {
    ManualClock clock;
    useClockForFrameTimer(clock);
    // Captures are silent: the music goes to music.wav instead.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    useNullWindowSystem();
    app.showOverlay = options.overlay;
    configureFromDemoIni(app);
    if (FAILED(app.create(GetModuleHandleA(nullptr)))) {
        useClockForFrameTimer(systemClock());
        return -1;
    }
    std::error_code error;
    // The output folder holds the PNG frames, music.wav and the difference images.
    if (!options.noFrames || !options.goldenDir.empty())
        std::filesystem::create_directories(options.outDir, error);
    const int exitCode = captureProduction(app, clock, options);
    SendMessageA(app.window, WM_CLOSE, 0, 0);
    useClockForFrameTimer(systemClock());
    return exitCode;
}
