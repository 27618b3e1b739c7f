// The setup dialog on a private X server, driven by key presses as a viewer
// would make them; and the player that shows it, left with Esc.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "child_process.h"
#include "x_test_display.h"

namespace {

using namespace std::chrono_literals;
using Environment = std::map<std::string, std::optional<std::string>>;

// Both adapters' defaults: the first adapter's HAL, 640 x 480 x 32 (mode 7
// of the sorted list), windowed.
constexpr char unchanged[] = "result 1 adapter 0 device 0 mode 7 windowed 1\n";

class SetupWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { display = std::make_unique<XTestDisplay>(); }
    static void TearDownTestSuite() { display.reset(); }

    void SetUp() override {
        if (!display->ready()) GTEST_SKIP() << "no X server could be started (Xvfb)";
        display->takeMappedTopLevels();
    }

    Environment onDisplay() const {
        return {
            {"DISPLAY", display->name()}, {"WAYLAND_DISPLAY", std::nullopt}, {"NO_AT_BRIDGE", "1"}};
    }

    // Runs `program`, types the keys once the dialog is up, and returns how
    // the program ended.
    ChildOutcome typeIntoDialog(const std::string& program, const std::vector<KeySym>& keys,
                                const std::string& folder = ".") {
        ChildProcess child(program, onDisplay(), folder);
        EXPECT_TRUE(display->waitForWindow("Vexmoorra", 20s)) << "the dialog did not appear";
        display->typeKeys(keys);
        return child.wait(20s);
    }

    static std::unique_ptr<XTestDisplay> display;
};

std::unique_ptr<XTestDisplay> SetupWindowTest::display;

TEST_F(SetupWindowTest, EnterRunsTheDemoAndEscRunsAway) {
    ChildOutcome enter = typeIntoDialog(SETUP_DIALOG_PROBE, {XK_Return});
    EXPECT_EQ(enter.exitCode, 0) << enter.err;
    EXPECT_EQ(enter.out, unchanged);
    ChildOutcome escape = typeIntoDialog(SETUP_DIALOG_PROBE, {XK_Escape});
    EXPECT_EQ(escape.out, "result 2 adapter 0 device 0 mode 7 windowed 1\n");
}

// The adapter list has the focus first; Down picks the second adapter, whose
// HAL cannot render in a window: full screen in its own default mode.
TEST_F(SetupWindowTest, KeysChooseAnotherAdapterAndEnterWritesIt) {
    ChildOutcome outcome = typeIntoDialog(SETUP_DIALOG_PROBE, {XK_Down, XK_Return});
    EXPECT_EQ(outcome.out, "result 1 adapter 1 device 0 mode 7 windowed 0\n");
}

// Tab moves from the adapter list past the device list (the mode list is
// disabled while windowed) to the choices; Right picks "Full Screen".
TEST_F(SetupWindowTest, KeysChooseFullScreen) {
    ChildOutcome outcome =
        typeIntoDialog(SETUP_DIALOG_PROBE, {XK_Tab, XK_Tab, XK_Right, XK_Return});
    EXPECT_EQ(outcome.out, "result 1 adapter 0 device 0 mode 7 windowed 0\n");
}

TEST_F(SetupWindowTest, WithoutADisplayTheDefaultDeviceRunsAfterOneLine) {
    ChildProcess child(SETUP_DIALOG_PROBE,
                       {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}});
    ChildOutcome outcome = child.wait(20s);
    std::string expected =
        "No display for the setup dialog, running the demo on the default device\n";
    expected += unchanged;
    EXPECT_EQ(outcome.out, expected);
}

// "run away" ends the player with -1, without a message and without any
// window but the dialog's.
TEST_F(SetupWindowTest, PlayerLeftWithEscExitsSilentlyWithoutAWindow) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessal-setup-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "data");
    std::ofstream(folder / "demo.ini") << "setup 1\n";
    std::ofstream(folder / "data" / "script.lua") << "setendtime(1)\n";
    ChildOutcome outcome = typeIntoDialog(TESSAL_PLAYER, {XK_Escape}, folder.string());
    std::filesystem::remove_all(folder);
    EXPECT_EQ(outcome.exitCode, 255);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.find("Tessal Application"), std::string::npos) << outcome.err;
    EXPECT_EQ(display->takeMappedTopLevels(), 1);  // the dialog
}

}  // namespace
