#include "platform/win32/window_record.h"

#include <memory>
#include <mutex>

#include "platform/win32/window.h"

namespace {

struct WindowRecords {
    std::mutex lock;
    std::vector<std::unique_ptr<HWND__>> all;
};

WindowRecords& records() {
    static WindowRecords instance;
    return instance;
}

}  // namespace

HWND addWindowRecord() {
    std::lock_guard guard(records().lock);
    records().all.push_back(std::make_unique<HWND__>());
    return records().all.back().get();
}

HWND__* liveWindow(HWND window) {
    if (!window) return nullptr;
    std::lock_guard guard(records().lock);
    for (const auto& record : records().all)
        if (record.get() == window) return record->alive ? record.get() : nullptr;
    return nullptr;
}

bool anyLiveWindow() {
    return !liveWindows().empty();
}

std::vector<HWND> liveWindows() {
    std::lock_guard guard(records().lock);
    std::vector<HWND> live;
    for (const auto& record : records().all)
        if (record->alive) live.push_back(record.get());
    return live;
}

RECT clientBoundsOnScreen(const HWND__& window) {
    RECT insets = nonClientInsets(window.style, false);
    return {window.bounds.left + insets.left, window.bounds.top + insets.top,
            window.bounds.right - insets.right, window.bounds.bottom - insets.bottom};
}

void setClientBoundsOnScreen(HWND__& window, const RECT& client) {
    RECT insets = nonClientInsets(window.style, false);
    window.bounds = {client.left - insets.left, client.top - insets.top,
                     client.right + insets.right, client.bottom + insets.bottom};
}
