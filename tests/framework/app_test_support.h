// A GraphicsApp for tests: the recording Direct3D backend, the null window
// system and a hand-stepped clock; every hook is recorded with the position
// the device log had reached when it ran.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/graphics_app.h"
#include "framework/manual_clock.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/win32/win32.h"

// Moves one millisecond on at every counter read while `stepping`, so that
// frames see time pass without the test stepping it.
class SteppingClock : public ManualClock {
  public:
    bool stepping = false;
    std::int64_t queryCounter() override {
        if (stepping) advance(frequency() / 1000);
        return ManualClock::queryCounter();
    }
};

struct HookCall {
    std::string name;
    std::size_t logPosition;  // calls in the device log when the hook ran
};

class TestApp : public GraphicsApp {
  public:
    explicit TestApp(CallLog& log) : log_(log) {}

    std::vector<HookCall> hookCalls;
    std::map<std::string, HRESULT> hookResults;  // failures to return, by hook name
    int framesRendered = 0;
    int closeAfterFrames = 0;  // post WM_CLOSE from that frame on (0: never)

    std::vector<std::string> hookNames() const;

    HRESULT onAppInit() override { return hook("onAppInit"); }
    HRESULT onDeviceCreated() override { return hook("onDeviceCreated"); }
    HRESULT onDeviceRestored() override { return hook("onDeviceRestored"); }
    HRESULT onFrameUpdate() override { return hook("onFrameUpdate"); }
    HRESULT onFrameRender() override;
    HRESULT onDeviceLost() override { return hook("onDeviceLost"); }
    HRESULT onDeviceDestroyed() override { return hook("onDeviceDestroyed"); }
    HRESULT onAppShutdown() override { return hook("onAppShutdown"); }

    using GraphicsApp::resetDevice;
    using GraphicsApp::selectedMode;

  private:
    HRESULT hook(const char* name);
    CallLog& log_;
};

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // create() with the module handle, as the player does.
    HRESULT create();

    RecordingConfig config;
    CallLog log;
    SteppingClock clock;
    TestApp app{log};
    UINT sdkVersionAsked = 0;
};

// Empties the message queue, the quit request included.
void drainMessages();
// Direct3D objects of that kind ("Direct3D", "Device") whose last Release
// left no reference.
bool fullyReleased(const CallLog& log, const std::string& object);
