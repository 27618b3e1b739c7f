// Real windows and input through SDL2. An SDL window is the client area of
// its window record (the frame is the desktop's business); it is created
// with OpenGL support so the graphics layer can draw into it.
#include <SDL.h>

#include <algorithm>

#include "platform/win32/message_box.h"
#include "platform/win32/sdl_event_translation.h"
#include "platform/win32/timers.h"
#include "platform/win32/video_driver.h"
#include "platform/win32/window.h"
#include "platform/win32/window_record.h"
#include "platform/win32/window_systems.h"

namespace {

Uint32 windowFlags(DWORD style) {
    Uint32 flags = SDL_WINDOW_OPENGL;
    flags |= (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    if ((style & WS_CAPTION) != WS_CAPTION && !(style & WS_THICKFRAME))
        flags |= SDL_WINDOW_BORDERLESS;
    if (style & WS_MINIMIZE) flags |= SDL_WINDOW_MINIMIZED;
    return flags;
}

Uint32 messageBoxFlags(UINT type) {
    if ((type & 0xF0) == MB_ICONERROR) return SDL_MESSAGEBOX_ERROR;
    if ((type & 0xF0) == MB_ICONWARNING) return SDL_MESSAGEBOX_WARNING;
    return SDL_MESSAGEBOX_INFORMATION;
}

// Video drivers that run without a display cannot show a box (and must
// not wait for a viewer who is not there).
bool driverHasDisplay() {
    return !driverShowsNothing(SDL_GetCurrentVideoDriver());
}

bool fellBackToNoDisplay() {
    return fellBackToDriverWithoutDisplay(SDL_GetCurrentVideoDriver(),
                                          SDL_GetHint(SDL_HINT_VIDEODRIVER));
}

int width(const RECT& r) {
    return int(r.right - r.left);
}
int height(const RECT& r) {
    return int(r.bottom - r.top);
}

HWND windowWithId(Uint32 id) {
    for (HWND window : liveWindows())
        if (window->sdlWindow && SDL_GetWindowID(window->sdlWindow) == id) return window;
    return nullptr;
}

void followMoveOrResize(const SDL_WindowEvent& event) {
    HWND window = windowWithId(event.windowID);
    if (!window) return;
    RECT client = clientBoundsOnScreen(*window);
    if (event.event == SDL_WINDOWEVENT_MOVED)
        client = {event.data1, event.data2, event.data1 + width(client),
                  event.data2 + height(client)};
    else if (event.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        client = {client.left, client.top, client.left + event.data1, client.top + event.data2};
    else
        return;
    setClientBoundsOnScreen(*window, client);
}

// WM_SIZE carries the client size when the window is visible.
LPARAM clientSizeParam(HWND window) {
    RECT client = clientBoundsOnScreen(*window);
    return MAKELPARAM(WORD(width(client)), WORD(height(client)));
}

void append(std::vector<MSG>& out, HWND window, const EventMessage& m) {
    LPARAM lParam = m.lParam;
    bool visibleSize =
        m.message == WM_SIZE && m.wParam != SIZE_MINIMIZED && m.wParam != SIZE_MAXHIDE;
    if (visibleSize && lParam == 0) lParam = clientSizeParam(window);
    out.push_back(MSG{window, m.message, m.wParam, lParam, timeGetTime(), {0, 0}});
}

class SdlWindowSystem : public WindowSystem {
  public:
    bool open(HWND window, bool defaultPosition) override;
    void close(HWND window) override;
    void place(HWND window) override;
    void show(HWND window, int command) override;
    void collectInput(std::vector<MSG>& messages) override;
    std::optional<int> inputPollMilliseconds() const override { return 10; }
    bool showMessageBox(HWND owner, const char* text, const char* caption, UINT type) override;
    POINT cursorPosition() override;
    void setCursorPosition(POINT point) override;
    void setCursorVisible(bool visible) override;
    bool closeRequestPending() override;
    std::string lastError() const override { return error_; }

  private:
    bool ensureVideo();
    bool ensureDisplay();
    void deliver(const EventMessage& m, std::vector<MSG>& out);

    std::string error_;
};

bool SdlWindowSystem::ensureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    error_ = std::string("no display (") + SDL_GetError() + ")";
    return false;
}

// Windows are for a viewer: a driver that shows nothing is only used when
// asked for.
bool SdlWindowSystem::ensureDisplay() {
    if (!ensureVideo()) return false;
    if (!fellBackToNoDisplay()) return true;
    error_ = std::string("no display (SDL found no video output and fell back to its \"") +
             SDL_GetCurrentVideoDriver() +
             "\" driver; set SDL_VIDEODRIVER=" + SDL_GetCurrentVideoDriver() +
             " to run without a display)";
    return false;
}

bool SdlWindowSystem::open(HWND window, bool defaultPosition) {
    if (!ensureDisplay()) return false;
    RECT client = clientBoundsOnScreen(*window);
    int x = defaultPosition ? int(SDL_WINDOWPOS_UNDEFINED) : int(client.left);
    int y = defaultPosition ? int(SDL_WINDOWPOS_UNDEFINED) : int(client.top);
    SDL_Window* sdl = SDL_CreateWindow(window->title.c_str(), x, y, std::max(1, width(client)),
                                       std::max(1, height(client)), windowFlags(window->style));
    if (!sdl) {
        error_ = std::string("SDL could not create a window (") + SDL_GetError() + ")";
        return false;
    }
    window->sdlWindow = sdl;
    SDL_GetWindowPosition(sdl, &x, &y);
    setClientBoundsOnScreen(*window, {x, y, x + width(client), y + height(client)});
    return true;
}

void SdlWindowSystem::close(HWND window) {
    if (window->sdlWindow) SDL_DestroyWindow(window->sdlWindow);
    window->sdlWindow = nullptr;
}

void SdlWindowSystem::place(HWND window) {
    SDL_Window* sdl = window->sdlWindow;
    if (!sdl) return;
    RECT client = clientBoundsOnScreen(*window);
    SDL_SetWindowBordered(
        sdl, (windowFlags(window->style) & SDL_WINDOW_BORDERLESS) ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowResizable(sdl, (window->style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(sdl, std::max(1, width(client)), std::max(1, height(client)));
    SDL_SetWindowPosition(sdl, int(client.left), int(client.top));
    SDL_SetWindowTitle(sdl, window->title.c_str());
}

void SdlWindowSystem::show(HWND window, int command) {
    SDL_Window* sdl = window->sdlWindow;
    if (!sdl) return;
    switch (command) {
        case SW_HIDE:
            return SDL_HideWindow(sdl);
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            return SDL_MinimizeWindow(sdl);
        case SW_MAXIMIZE:
            return SDL_MaximizeWindow(sdl);
        case SW_RESTORE:
            return SDL_RestoreWindow(sdl);
        default:
            return SDL_ShowWindow(sdl);
    }
}

void SdlWindowSystem::deliver(const EventMessage& m, std::vector<MSG>& out) {
    if (m.toAllWindows) {
        for (HWND window : liveWindows())
            if (window->sdlWindow) append(out, window, m);
        return;
    }
    if (HWND window = windowWithId(m.windowId)) append(out, window, m);
}

// Looks through the queued events without removing any.
bool SdlWindowSystem::closeRequestPending() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_PumpEvents();
    SDL_Event events[64];
    const int count = SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < count; ++i) {
        const SDL_Event& e = events[i];
        if (e.type == SDL_QUIT) return true;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) return true;
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE) return true;
    }
    return false;
}

void SdlWindowSystem::collectInput(std::vector<MSG>& messages) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_WINDOWEVENT) followMoveOrResize(event.window);
        for (const EventMessage& m : messagesForSdlEvent(event)) deliver(m, messages);
    }
}

bool SdlWindowSystem::showMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (!ensureVideo() || !driverHasDisplay()) return false;
    HWND__* record = liveWindow(owner);
    SDL_Window* parent = record ? record->sdlWindow : nullptr;
    return SDL_ShowSimpleMessageBox(messageBoxFlags(type), caption, text, parent) == 0;
}

POINT SdlWindowSystem::cursorPosition() {
    int x = 0, y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

void SdlWindowSystem::setCursorPosition(POINT point) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_WarpMouseGlobal(int(point.x), int(point.y));
}

void SdlWindowSystem::setCursorVisible(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace

WindowSystem& sdlWindowSystem() {
    static SdlWindowSystem instance;
    return instance;
}
