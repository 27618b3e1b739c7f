#include "platform/win32/sdl_event_translation.h"

#include "platform/win32/virtual_keys.h"

namespace {

struct KeyMapping {
    SDL_Keycode key;
    WPARAM virtualKey;
};

constexpr KeyMapping namedKeys[] = {
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_KP_0, VK_NUMPAD0},
};

WPARAM keyInRange(SDL_Keycode key, SDL_Keycode first, SDL_Keycode last, WPARAM firstVk) {
    return key >= first && key <= last ? firstVk + WPARAM(key - first) : 0;
}

bool isAltKey(SDL_Keycode key) {
    return key == SDLK_LALT || key == SDLK_RALT;
}

std::vector<EventMessage> keyMessages(const SDL_KeyboardEvent& key) {
    WPARAM virtualKey = virtualKeyOf(key.keysym.sym);
    if (virtualKey == 0) return {};
    bool up = key.type == SDL_KEYUP;
    bool alt = (key.keysym.mod & KMOD_ALT) || isAltKey(key.keysym.sym);
    bool system = alt || virtualKey == VK_F10;
    LPARAM lParam = 1;  // repeat count
    if (alt) lParam |= KF_ALTDOWN_BIT;
    if (key.repeat || up) lParam |= KF_REPEAT_BIT;
    if (up) lParam |= KF_UP_BIT;
    UINT message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
    return {{key.windowID, false, message, virtualKey, lParam}};
}

WPARAM buttonFlags(Uint32 state) {
    WPARAM flags = 0;
    if (state & SDL_BUTTON_LMASK) flags |= MK_LBUTTON;
    if (state & SDL_BUTTON_RMASK) flags |= MK_RBUTTON;
    if (state & SDL_BUTTON_MMASK) flags |= MK_MBUTTON;
    return flags;
}

std::vector<EventMessage> motionMessages(const SDL_MouseMotionEvent& motion) {
    LPARAM position = MAKELPARAM(WORD(motion.x), WORD(motion.y));
    return {{motion.windowID, false, WM_SETCURSOR, 0, MAKELPARAM(WORD(HTCLIENT), WM_MOUSEMOVE)},
            {motion.windowID, false, WM_MOUSEMOVE, buttonFlags(motion.state), position}};
}

EventMessage sizeMessage(Uint32 windowId, WPARAM kind, LPARAM size = 0) {
    return {windowId, false, WM_SIZE, kind, size};
}

std::vector<EventMessage> windowMessages(const SDL_WindowEvent& window) {
    Uint32 id = window.windowID;
    LPARAM pair = MAKELPARAM(WORD(window.data1), WORD(window.data2));
    switch (window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
            return {sizeMessage(id, SIZE_RESTORED)};
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return {sizeMessage(id, SIZE_RESTORED, pair)};
        case SDL_WINDOWEVENT_MAXIMIZED:
            return {sizeMessage(id, SIZE_MAXIMIZED)};
        case SDL_WINDOWEVENT_MINIMIZED:
            return {sizeMessage(id, SIZE_MINIMIZED)};
        case SDL_WINDOWEVENT_HIDDEN:
            return {sizeMessage(id, SIZE_MAXHIDE)};
        case SDL_WINDOWEVENT_MOVED:
            return {{id, false, WM_MOVE, 0, pair}};
        case SDL_WINDOWEVENT_EXPOSED:
            return {{id, false, WM_PAINT, 0, 0}};
        case SDL_WINDOWEVENT_CLOSE:
            return {{id, false, WM_CLOSE, 0, 0}};
        case SDL_WINDOWEVENT_ENTER:  // the pointer comes over the window
            return {{id, false, WM_SETCURSOR, 0, MAKELPARAM(WORD(HTCLIENT), WM_MOUSEMOVE)}};
        default:
            return {};
    }
}

}  // namespace

WPARAM virtualKeyOf(SDL_Keycode key) {
    if (WPARAM letter = keyInRange(key, SDLK_a, SDLK_z, 'A')) return letter;
    if (WPARAM digit = keyInRange(key, SDLK_0, SDLK_9, '0')) return digit;
    if (WPARAM function = keyInRange(key, SDLK_F1, SDLK_F12, VK_F1)) return function;
    if (WPARAM pad = keyInRange(key, SDLK_KP_1, SDLK_KP_9, VK_NUMPAD0 + 1)) return pad;
    for (const KeyMapping& mapping : namedKeys)
        if (mapping.key == key) return mapping.virtualKey;
    return 0;
}

std::vector<EventMessage> messagesForSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return keyMessages(event.key);
        case SDL_MOUSEMOTION:
            return motionMessages(event.motion);
        case SDL_WINDOWEVENT:
            return windowMessages(event.window);
        case SDL_QUIT:
            return {{0, true, WM_CLOSE, 0, 0}};
        default:
            return {};
    }
}
