#include "win32_test_support.h"

void drainMessageQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::vector<SeenMessage>& seenMessages() {
    static std::vector<SeenMessage> seen;
    return seen;
}

namespace {

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seenMessages().push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LPCSTR recordingClassName() {
    static bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "Recording Window";
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    return "Recording Window";
}

HWND createRecordingWindow(DWORD style, int width, int height) {
    useNullWindowSystem();
    return CreateWindowExA(0, recordingClassName(), "test", style, 10, 20, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}
