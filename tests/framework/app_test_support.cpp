#include <gtest/gtest.h>

#include "app_test_support.h"

std::vector<std::string> TestApp::hookNames() const {
    std::vector<std::string> names;
    for (const HookCall& call : hookCalls) names.push_back(call.name);
    return names;
}

HRESULT TestApp::hook(const char* name) {
    hookCalls.push_back({name, log_.size()});
    auto result = hookResults.find(name);
    return result == hookResults.end() ? S_OK : result->second;
}

HRESULT TestApp::onFrameRender() {
    ++framesRendered;
    if (closeAfterFrames > 0 && framesRendered >= closeAfterFrames)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return hook("onFrameRender");
}

void AppTest::SetUp() {
    useNullWindowSystem();
    drainMessages();
    useClockForFrameTimer(clock);
    app.direct3DFactory = [this](UINT sdkVersion) {
        sdkVersionAsked = sdkVersion;
        return createRecordingDirect3D(config, log);
    };
    app.windowWidth = 640;
    app.windowHeight = 480;
    app.useDepthBuffer = true;
}

void AppTest::TearDown() {
    if (IsWindow(app.window)) SendMessageA(app.window, WM_CLOSE, 0, 0);
    drainMessages();
    useClockForFrameTimer(systemClock());
}

HRESULT AppTest::create() {
    return app.create(GetModuleHandleA(nullptr));
}

void drainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

bool fullyReleased(const CallLog& log, const std::string& object) {
    const RecordedCall* last = nullptr;
    for (const RecordedCall& call : log.calls())
        if (call.object == object && call.name == "Release") last = &call;
    return last && last->result == 0;
}
