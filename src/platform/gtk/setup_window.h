// The setup dialog's window, shown with GTK: what it shows, and what it
// reports to the dialog procedure behind it. Nothing here names a GTK type;
// the procedure decides everything and the window only shows and forwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace SetupWindow {

// Control ids of the dialog (dialog resource 101); 1 and 2 are also the
// dialog's results.
constexpr int runDemo = 1;
constexpr int runAway = 2;
constexpr int modeList = 1000;
constexpr int deviceList = 1001;
constexpr int fullScreenChoice = 1003;
constexpr int windowedChoice = 1004;
constexpr int adapterList = 1005;

// Notifications a control sends with its command.
constexpr int BN_CLICKED = 0;
constexpr int CBN_SELENDOK = 9;

}  // namespace SetupWindow

// A WM_COMMAND from the window, with what the procedure reads from the
// controls when it handles one.
struct SetupCommand {
    int control = 0;
    int notification = SetupWindow::BN_CLICKED;
    bool windowedChecked = false;  // the check of "Windowed" at that moment
    int selectedItem = -1;         // the sending list's selected item (-1: none)
};

struct ChoiceList {
    std::vector<std::string> items;
    int selected = -1;
    bool enabled = true;
};

// Everything the window shows besides its fixed texts.
struct SetupWindowContent {
    ChoiceList adapters;
    ChoiceList devices;
    ChoiceList modes;
    bool windowedEnabled = false;
    bool windowedChecked = false;  // otherwise "Full Screen" is checked
};

// The picture above the choices: A8R8G8B8 (alpha ignored), rows top first.
struct SetupPicture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint32_t> pixels;
};

class SetupWindowProcedure {
  public:
    virtual ~SetupWindowProcedure() = default;
    // Handles a command; the dialog's result when the command ends it.
    virtual std::optional<int> command(const SetupCommand& command) = 0;
    virtual SetupWindowContent content() const = 0;
};

// Opens the connection to the display for dialogs (once per process; the
// locale is left alone). False when there is no display to show one on.
bool openDialogDisplay();

// Shows the window centred, without a close button, and runs it modally
// until the procedure ends it. Closing it anyway counts as "run away"
// (command 2). Returns the result once the window is gone from the screen.
// Needs openDialogDisplay() to have succeeded.
int runSetupWindow(const SetupPicture& picture, SetupWindowProcedure& procedure);
