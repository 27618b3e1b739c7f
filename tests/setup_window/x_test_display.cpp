#include "x_test_display.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

// Xvfb writes the display number it chose to the descriptor given with
// -displayfd once it accepts connections.
pid_t startXvfb(int& readEnd) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
               "1024x768x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    readEnd = fds[0];
    return pid;
}

std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd wait{fd, POLLIN, 0};
    char c;
    while (poll(&wait, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') number += c;
    close(fd);
    return number;
}

}  // namespace

XTestDisplay::XTestDisplay() {
    int fd = -1;
    server_ = startXvfb(fd);
    if (server_ < 0) return;
    const std::string number = readDisplayNumber(fd);
    if (number.empty()) return;
    name_ = ":" + number;
    connection_ = XOpenDisplay(name_.c_str());
    if (connection_)
        XSelectInput(connection_, DefaultRootWindow(connection_), SubstructureNotifyMask);
}

XTestDisplay::~XTestDisplay() {
    if (connection_) XCloseDisplay(connection_);
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}

Window XTestDisplay::findViewable(const std::string& title) {
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(connection_, DefaultRootWindow(connection_), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (XFetchName(connection_, children[i], &name) && name && title == name &&
            XGetWindowAttributes(connection_, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
}

bool XTestDisplay::hasFocus(Window window) {
    Window focus;
    int revert;
    XGetInputFocus(connection_, &focus, &revert);
    return focus == window;
}

// Once the window is up, give the client a moment to take the keyboard;
// without a window manager keys otherwise go to the window under the
// pointer, which starts in the middle of the screen, where the window is.
bool XTestDisplay::waitForWindow(const std::string& title, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Window window = 0;
    while (!(window = findViewable(title))) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    for (int i = 0; i < 50 && !hasFocus(window); ++i) std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(100ms);
    return true;
}

void XTestDisplay::typeKeys(const std::vector<KeySym>& keys) {
    for (KeySym key : keys) {
        const KeyCode code = XKeysymToKeycode(connection_, key);
        XTestFakeKeyEvent(connection_, code, True, CurrentTime);
        XTestFakeKeyEvent(connection_, code, False, CurrentTime);
        XFlush(connection_);
        std::this_thread::sleep_for(100ms);
    }
}

int XTestDisplay::takeMappedTopLevels() {
    int mapped = 0;
    XSync(connection_, False);
    while (XPending(connection_)) {
        XEvent event;
        XNextEvent(connection_, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) ++mapped;
    }
    return mapped;
}
