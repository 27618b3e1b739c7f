#include "app/capture/capture_session.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/capture/png_file.h"
#include "app/startup.h"
#include "framework/frame_timer.h"
#include "framework/manual_clock.h"
#include "media/music_player.h"
#include "media/music_render.h"
#include "platform/win32/quit_requests.h"
#include "platform/win32/win32.h"

namespace {

bool saveBackBuffer(IDirect3DDevice8* device, const std::string& path) {
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return false;
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    bool saved = false;
    if (SUCCEEDED(surface->GetDesc(&desc)) && SUCCEEDED(surface->LockRect(&locked, nullptr, 0))) {
        saved = writePng(path, int(desc.Width), int(desc.Height),
                         static_cast<const std::uint8_t*>(locked.pBits), locked.Pitch);
        surface->UnlockRect();
    }
    surface->Release();
    return saved;
}

std::string framePath(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%05d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

int frameCount(const CaptureOptions& options, float to) {
    if (to < options.from) return 0;
    // A small tolerance keeps T_to itself when it falls on a frame.
    return int(std::floor((double(to) - options.from) * options.fps + 1e-6)) + 1;
}

void showProgress(int done, int total) {
    if (total >= 100 && (done % 25 == 0 || done == total))
        std::fprintf(stderr, "\rtessal-capture: frame %d of %d", done, total);
    if (total >= 100 && done == total) std::fputc('\n', stderr);
}

// Renders the frames; returns how many were written, or -1 when one could
// not be written.
int captureFrames(CaptureApp& app, ManualClock& clock, const CaptureOptions& options) {
    const float to = options.to.value_or(app.endTime);
    const int total = frameCount(options, to);
    // Application time 0 is the counter value at the restart. The timer's
    // elapsed-time mark goes one tick back, so a frame at time 0 is not taken
    // for a stopped clock.
    const std::int64_t zero = clock.counter();
    clock.setCounter(zero - 1);
    frameTimer()(TIMER_GETELAPSEDTIME);
    for (int k = 0; k < total; ++k) {
        if (quitSignalled()) {
            std::fprintf(stderr, "tessal-capture: interrupted after %d frames\n", k);
            return -1;
        }
        double appTime = options.from + double(k) / options.fps - app.startTime;
        clock.setCounter(zero + std::llround(appTime * double(clock.frequency())));
        if (FAILED(app.renderFrame())) return k;  // the demo has ended
        if (!saveBackBuffer(app.device, framePath(options.outDir, k))) return -1;
        showProgress(k + 1, total);
    }
    return total;
}

// music.wav: what the player would have played over the captured frames.
bool captureMusic(const CaptureApp& app, const CaptureOptions& options, int frames) {
    if (musicPlayer().path.empty() || frames <= 0) return true;
    MusicRenderRequest request{musicPlayer().path, app.musicStartTime, app.startTime, options.from,
                               options.from + double(frames) / options.fps};
    return renderMusicToWav(request,
                            (std::filesystem::path(options.outDir) / "music.wav").string());
}

}  // namespace

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
    int exitCode = 1;
    std::error_code error;
    std::filesystem::create_directories(options.outDir, error);
    if (FAILED(app.resizeBackBuffer(options.width, options.height))) {
        std::fprintf(stderr, "tessal-capture: cannot size the frames to %dx%d\n", options.width,
                     options.height);
    } else {
        // The first frame runs the script, as in the player.
        clock.advance(1);
        app.renderFrame();
        if (!app.scriptLoaded())
            std::fprintf(stderr, "tessal-capture: the script failed; nothing captured\n");
        else {
            int frames = captureFrames(app, clock, options);
            exitCode = frames >= 0 && captureMusic(app, options, frames) ? 0 : 1;
        }
    }
    SendMessageA(app.window, WM_CLOSE, 0, 0);
    useClockForFrameTimer(systemClock());
    return exitCode;
}
