// The process's message queue: posted messages and translated input in
// arrival order, and the quit request, which is handed out once nothing
// else is waiting.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/win32/messages.h"
#include "platform/win32/quit_requests.h"
#include "platform/win32/timers.h"
#include "platform/win32/window_record.h"
#include "platform/win32/window_system.h"

namespace {

struct MessageQueue {
    std::mutex lock;
    std::condition_variable posted;
    std::deque<MSG> messages;
    bool quitPending = false;
    int quitCode = 0;
};

MessageQueue& queue() {
    static MessageQueue instance;
    return instance;
}

bool matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

// A quit signal asks every window to close, once; with no window left the
// program is told to quit.
void deliverQuitSignal(std::vector<MSG>& input) {
    static bool delivered = false;
    if (!quitSignalled() || delivered) return;
    delivered = true;
    const std::vector<HWND> windows = liveWindows();
    for (HWND window : windows) input.push_back(MSG{window, WM_CLOSE, 0, 0, timeGetTime(), {0, 0}});
    if (windows.empty()) PostQuitMessage(0);
}

void takeInput() {
    std::vector<MSG> input;
    windowSystem().collectInput(input);
    deliverQuitSignal(input);
    if (input.empty()) return;
    std::lock_guard guard(queue().lock);
    for (MSG& msg : input) queue().messages.push_back(msg);
}

bool takeQueued(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    auto& messages = queue().messages;
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (!matches(*it, window, filterMin, filterMax)) continue;
        *msg = *it;
        if (remove) messages.erase(it);
        return true;
    }
    return false;
}

bool takeQuit(MSG* msg, bool remove) {
    if (!queue().quitPending) return false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(queue().quitCode), 0, timeGetTime(), {0, 0}};
    if (remove) queue().quitPending = false;
    return true;
}

void waitForMessage() {
    std::unique_lock guard(queue().lock);
    auto arrived = [] { return !queue().messages.empty() || queue().quitPending; };
    // A signal cannot wake the wait: it looks again at least every 100 ms.
    const int poll = windowSystem().inputPollMilliseconds().value_or(100);
    queue().posted.wait_for(guard, std::chrono::milliseconds(poll), arrived);
}

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag) {
    if (!msg) return FALSE;
    takeInput();
    std::lock_guard guard(queue().lock);
    bool remove = removeFlag & PM_REMOVE;
    if (takeQueued(msg, window, filterMin, filterMax, remove)) return TRUE;
    return takeQuit(msg, remove) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!msg) return FALSE;
    while (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) waitForMessage();
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !liveWindow(window)) return FALSE;
    {
        std::lock_guard guard(queue().lock);
        queue().messages.push_back(MSG{window, message, wParam, lParam, timeGetTime(), {0, 0}});
    }
    queue().posted.notify_all();
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    {
        std::lock_guard guard(queue().lock);
        queue().quitPending = true;
        queue().quitCode = exitCode;
    }
    queue().posted.notify_all();
}
