// The setup dialog on a private X server, driven by key presses as a viewer
// would make them (from a second thread, on a connection of its own), and
// the player that shows it, left with Esc.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <thread>

#include "framework/graphics_app.h"
#include "framework/setup_dialog.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "x_keyboard.h"

namespace {

using namespace std::chrono_literals;

class SetupWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        XInitThreads();  // GTK's connection and the keyboard's live in two threads
        keyboard = std::make_unique<XKeyboard>();
        if (!keyboard->ready()) return;
        setenv("DISPLAY", keyboard->displayName().c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus to look for
        setenv("LC_ALL", "C.UTF-8", 1);  // what GTK would make the process locale
    }
    static void TearDownTestSuite() { keyboard.reset(); }

    // Two adapters; the second one's HAL cannot render in a window. Both
    // default to their HAL in 640 x 480 x 32 (mode 7 of the sorted list).
    void SetUp() override {
        if (!keyboard->ready()) GTEST_SKIP() << "no X server could be started (Xvfb)";
        keyboard->takeMappedTopLevels();
        RecordingConfig config;
        RecordingAdapter second = standardRecordingAdapter();
        second.hal.caps.Caps2 = 0;
        config.adapters.push_back(second);
        IDirect3D8* direct3d = createRecordingDirect3D(config, log);
        ASSERT_EQ(app.catalog.build(*direct3d, app), S_OK);
        direct3d->Release();
    }

    // A dialog that does not end after the keys ends the test program: the
    // dialog would otherwise wait for a viewer for ever.
    int runDialogTyping(const std::vector<KeySym>& keys) {
        std::atomic<bool> ended = false;
        auto typed = std::async(std::launch::async, [&] {
            const bool done = keyboard->typeInto("Vexmoorra", keys);
            for (int i = 0; i < 200 && !ended; ++i) std::this_thread::sleep_for(50ms);
            if (!ended) std::fprintf(stderr, "the setup dialog did not end\n"), std::_Exit(1);
            return done;
        });
        const int result = runSetupDialog(app);
        ended = true;
        EXPECT_TRUE(typed.get());
        return result;
    }
    std::string selection() const {
        const AdapterInfo& adapter = app.catalog.adapters[app.currentAdapter];
        const DeviceInfo& device = adapter.devices[adapter.currentDevice];
        return "adapter " + std::to_string(app.currentAdapter) + " device " +
               std::to_string(adapter.currentDevice) + " mode " +
               std::to_string(device.currentMode) + (device.windowed ? " windowed" : " full");
    }

    static std::unique_ptr<XKeyboard> keyboard;
    CallLog log;
    GraphicsApp app;
};

std::unique_ptr<XKeyboard> SetupWindowTest::keyboard;

TEST_F(SetupWindowTest, EnterRunsTheDemoAndEscRunsAwayLeavingTheCatalogAlone) {
    EXPECT_EQ(runDialogTyping({XK_Return}), 1);
    EXPECT_EQ(selection(), "adapter 0 device 0 mode 7 windowed");
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C");  // numbers are still read the C way
    EXPECT_EQ(runDialogTyping({XK_Down, XK_Escape}), 2);
    EXPECT_EQ(selection(), "adapter 0 device 0 mode 7 windowed");
}

// The adapter list has the focus first; Down picks the second adapter, whose
// HAL can only run full screen.
TEST_F(SetupWindowTest, KeysChooseAnotherAdapterAndEnterWritesIt) {
    EXPECT_EQ(runDialogTyping({XK_Down, XK_Return}), 1);
    EXPECT_EQ(selection(), "adapter 1 device 0 mode 7 full");
}

// Tab goes from the adapter list past the device list (the mode list is
// disabled while windowed) to the choices, where Right picks "Full Screen".
TEST_F(SetupWindowTest, KeysChooseFullScreen) {
    EXPECT_EQ(runDialogTyping({XK_Tab, XK_Tab, XK_Right, XK_Return}), 1);
    EXPECT_EQ(selection(), "adapter 0 device 0 mode 7 full");
}

// "run away" ends the player with -1, with no message and no window but the
// dialog's.
TEST_F(SetupWindowTest, PlayerLeftWithEscExitsSilentlyWithoutAWindow) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tessal-setup-" + std::to_string(getpid()));
    fs::create_directories(folder / "data");
    std::ofstream(folder / "demo.ini") << "setup 1\n";
    const std::string command =
        "cd " + folder.string() + " && timeout 60 " TESSAL_PLAYER " 2>&1; echo \"exit $?\"";
    FILE* player = popen(command.c_str(), "r");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(keyboard->typeInto("Vexmoorra", {XK_Escape}));
    std::string output;
    for (int c; (c = std::fgetc(player)) != EOF;) output += char(c);
    pclose(player);
    fs::remove_all(folder);
    EXPECT_NE(output.find("exit 255\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("Tessal Application"), std::string::npos) << output;
    EXPECT_EQ(keyboard->takeMappedTopLevels(), 1);  // the dialog
}

// Esc ends the player within a second even while its script runs away (the
// script is stopped, the window closes as usual).
TEST_F(SetupWindowTest, EscEndsThePlayerDuringARunawayScript) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tessal-runaway-" + std::to_string(getpid()));
    fs::create_directories(folder / "data");
    std::ofstream(folder / "data" / "script.lua")
        << "_ALERT('running\\n')\nx = 0\nwhile 1 do x = x + 1 end\n";
    const std::string command = "cd " + folder.string() + " && SDL_VIDEODRIVER=x11 timeout 60 " +
                                TESSAL_PLAYER + " 2>&1; echo \"exit $?\"";
    FILE* player = popen(command.c_str(), "r");
    ASSERT_NE(player, nullptr);
    std::string output;
    for (int c; output.find("running") == std::string::npos && (c = std::fgetc(player)) != EOF;)
        output += char(c);
    EXPECT_TRUE(keyboard->typeInto("Tessal Application", {XK_Escape})) << output;
    const auto pressed = std::chrono::steady_clock::now();
    for (int c; (c = std::fgetc(player)) != EOF;) output += char(c);
    const auto ended = std::chrono::steady_clock::now();
    pclose(player);
    fs::remove_all(folder);
    EXPECT_NE(output.find("script interrupted"), std::string::npos) << output;
    EXPECT_NE(output.find("exit 0\n"), std::string::npos) << output;
    EXPECT_LT(ended - pressed, 1s) << output;
}

}  // namespace
