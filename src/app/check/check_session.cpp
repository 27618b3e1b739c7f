#include "app/check/check_session.h"

#include <cstdlib>

#include "app/check/console_silence.h"
#include "app/check/layer_activity.h"
#include "app/check/problem_log.h"
#include "app/demo_app.h"
#include "app/demo_steps.h"
#include "app/layer_table.h"
#include "app/startup.h"
#include "framework/manual_clock.h"
#include "media/data_access.h"
#include "platform/lua4/error_observer.h"
#include "platform/win32/quit_requests.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_system.h"

namespace {

// Frames are small: the check looks at what is loaded and drawn, not at
// the pictures.
constexpr unsigned kFrameWidth = 64;
constexpr unsigned kFrameHeight = 48;

void prepareHeadlessPlayer(DemoApp& app) {
    // No window, no sound device: the check plays where nothing can be shown.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    useNullWindowSystem();
    app.windowWidth = kFrameWidth;
    app.windowHeight = kFrameHeight;
    app.showOverlay = false;
    configureFromDemoIni(app);
    app.showSetupDialog = false;
}

void watchArchive(ProblemLog& log) {
    ArchiveListing listing = listArchiveFile("data.rar");
    if (listing.ok)
        log.watchArchive(std::move(listing));
    else
        log.report({ProblemKind::missingMember, "data.rar", "cannot be read: " + listing.error, 0});
}

// Renders every step from the start time to the end time.
int playFrames(DemoApp& app, ManualClock& clock, int fps) {
    // A demo that never ends is played for a day of demo time.
    const int total = stepCount(app.startTime, app.endTime, fps);
    DemoSteps steps(clock);
    int played = 0;
    for (; played < total && !quitSignalled(); ++played) {
        steps.moveTo(double(played) / fps);
        if (FAILED(app.renderFrame())) break;  // the demo has ended
    }
    return played;
}

// Runs the script (the first frame does) and plays it through; false when
// the script failed.
bool checkPlaying(DemoApp& app, ManualClock& clock, int fps, ProblemLog& log, CheckReport& report) {
    lua4::setErrorObserver(app.scriptHost.lua, &log);
    log.watchScript(app.scriptHost.lua);
    clock.advance(1);
    app.renderFrame();
    log.watchScript(nullptr);
    report.startTime = app.startTime;
    report.endTime = app.endTime;
    if (!app.scriptLoaded()) {
        if (!log.scriptErrorSeen())
            log.report({ProblemKind::scriptError, "script.lua", "the script did not run", 0});
        return false;
    }
    report.framesPlayed = playFrames(app, clock, fps);
    report.interrupted = quitSignalled();
    for (const Problem& problem : inactiveLayers(layerTable(), app.startTime, app.endTime))
        log.report(problem);
    return true;
}

}  // namespace

CheckReport runCheck(const CheckOptions& options) {
    CheckReport report;
    ConsoleSilence silence;
    ManualClock clock;
    useClockForFrameTimer(clock);
    ProblemLog log;
    bool scriptRan = false;
    {
        DemoApp app;
        app.problemSink = &log;
        prepareHeadlessPlayer(app);
        report.packed = !DataAccess::unpackedMode;
        if (report.packed) watchArchive(log);
        report.started = SUCCEEDED(app.create(GetModuleHandleA(nullptr)));
        if (report.started) {
            scriptRan = checkPlaying(app, clock, options.fps, log, report);
            SendMessageA(app.window, WM_CLOSE, 0, 0);
        } else {
            report.startError = windowSystemError();
        }
        app.problemSink = nullptr;
    }
    // Members are unused only if the whole script ran and still left them.
    if (scriptRan) log.reportUnusedMembers();
    useClockForFrameTimer(systemClock());
    report.problems = log.problems();
    return report;
}
