#include "x_keyboard.h"

#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Xvfb writes the display number it chose to the -displayfd descriptor once
// it accepts connections. It keeps none of the test's output open, and ends
// with the test even when the test ends abruptly.
std::string startXvfb(pid_t& server) {
    int fds[2];
    if (pipe(fds) != 0) return "";
    server = fork();
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr);
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    char c;
    while (poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

}  // namespace

XKeyboard::XKeyboard() : name_(startXvfb(server_)) {
    if (!name_.empty()) connection_ = XOpenDisplay(name_.c_str());
    if (connection_)
        XSelectInput(connection_, DefaultRootWindow(connection_), SubstructureNotifyMask);
}

XKeyboard::~XKeyboard() {
    if (connection_) XCloseDisplay(connection_);
    if (server_ > 0) kill(server_, SIGTERM);
    if (server_ > 0) waitpid(server_, nullptr, 0);
}

bool XKeyboard::viewable(const std::string& title) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(connection_, DefaultRootWindow(connection_), &root, &parent, &children, &count);
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        found = XFetchName(connection_, children[i], &name) && title == name &&
                XGetWindowAttributes(connection_, children[i], &attributes) &&
                attributes.map_state == IsViewable;
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
}

// Without a window manager the keyboard follows the pointer, which starts in
// the middle of the screen, where the window is centred; a moment's wait
// lets the window also take the focus itself.
bool XKeyboard::typeInto(const std::string& title, const std::vector<KeySym>& keys) {
    for (int tries = 0; !viewable(title); ++tries) {
        if (tries == 1000) return false;
        std::this_thread::sleep_for(20ms);
    }
    for (KeySym key : keys) {
        std::this_thread::sleep_for(150ms);
        const KeyCode code = XKeysymToKeycode(connection_, key);
        XTestFakeKeyEvent(connection_, code, True, CurrentTime);
        XTestFakeKeyEvent(connection_, code, False, CurrentTime);
        XFlush(connection_);
    }
    return true;
}

int XKeyboard::takeMappedTopLevels() {
    int mapped = 0;
    XSync(connection_, False);
    while (XPending(connection_)) {
        XEvent event;
        XNextEvent(connection_, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) ++mapped;
    }
    return mapped;
}
