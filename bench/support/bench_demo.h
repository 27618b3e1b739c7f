// The player's demo as the benchmarks run it: no window, a clock that moves
// only when told, the statistics overlay off, a back buffer of a chosen
// size; on the OpenGL backend or on the recording backend with neither
// pixels nor a log, a device that keeps its state and checks its calls and
// does nothing else, so that what is measured is the engine alone.
#pragma once

#include "app/demo_app.h"
#include "framework/frame_timer.h"
#include "framework/manual_clock.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_system.h"

enum class BenchBackend { OpenGl, NoPixels };

class BenchDemo {
  public:
    // The production must be the current folder; its script runs in the
    // first frame, here.
    BenchDemo(BenchBackend backend, UINT width, UINT height) {
        useClockForFrameTimer(clock_);
        useNullWindowSystem();
        config_.simulatePixels = false;
        log_.setRecording(false);
        if (backend == BenchBackend::NoPixels)
            app_.direct3DFactory = [this](UINT) { return createRecordingDirect3D(config_, log_); };
        app_.showOverlay = false;
        started_ = SUCCEEDED(app_.create(nullptr)) &&
                   SUCCEEDED(app_.resizeBackBuffer(width, height)) && SUCCEEDED(frame());
    }
    ~BenchDemo() {
        if (app_.window) SendMessageA(app_.window, WM_CLOSE, 0, 0);
        useClockForFrameTimer(systemClock());
    }
    BenchDemo(const BenchDemo&) = delete;
    BenchDemo& operator=(const BenchDemo&) = delete;

    // Whether the device was made and the script ran.
    bool started() const { return started_ && app_.scriptLoaded(); }
    // One frame a millisecond of demo time after the previous one.
    HRESULT frame() {
        clock_.advance(clock_.frequency() / 1000);
        return app_.renderFrame();
    }
    IDirect3DDevice8& device() { return *app_.device; }

  private:
    class App : public DemoApp {
      public:
        HRESULT resizeBackBuffer(UINT width, UINT height) {
            if (presentParams.BackBufferWidth == width && presentParams.BackBufferHeight == height)
                return S_OK;
            presentParams.BackBufferWidth = width;
            presentParams.BackBufferHeight = height;
            return resetDevice();
        }
    };

    ManualClock clock_;
    RecordingConfig config_;
    CallLog log_;
    App app_;
    bool started_ = false;
};
