// SDL events as window messages, checked on hand-made events (no display).
#include "platform/win32/sdl_event_translation.h"

#include <gtest/gtest.h>

#include "platform/win32/virtual_keys.h"

namespace {

SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.windowID = 3;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event windowEvent(SDL_WindowEventID id, Sint32 data1 = 0, Sint32 data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = 5;
    event.window.event = Uint8(id);
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

EventMessage only(const std::vector<EventMessage>& messages) {
    EXPECT_EQ(messages.size(), 1u);
    return messages.empty() ? EventMessage{} : messages[0];
}

TEST(SdlEventTranslation, KeysBecomeKeyMessagesWithVirtualKeys) {
    EventMessage down = only(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_ESCAPE)));
    EXPECT_EQ(down.message, WM_KEYDOWN);
    EXPECT_EQ(down.wParam, VK_ESCAPE);
    EXPECT_EQ(down.windowId, 3u);
    EXPECT_EQ(down.lParam & 0xffff, 1);  // repeat count
    EXPECT_EQ(down.lParam & (KF_ALTDOWN_BIT | KF_REPEAT_BIT | KF_UP_BIT), 0);

    EventMessage up = only(messagesForSdlEvent(keyEvent(SDL_KEYUP, SDLK_SPACE)));
    EXPECT_EQ(up.message, WM_KEYUP);
    EXPECT_EQ(up.wParam, VK_SPACE);
    EXPECT_EQ(up.lParam & (KF_REPEAT_BIT | KF_UP_BIT), KF_REPEAT_BIT | KF_UP_BIT);
}

TEST(SdlEventTranslation, AltMakesSystemKeyMessages) {
    EventMessage altF4 = only(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT)));
    EXPECT_EQ(altF4.message, WM_SYSKEYDOWN);
    EXPECT_EQ(altF4.wParam, VK_F4);
    EXPECT_TRUE(altF4.lParam & KF_ALTDOWN_BIT);

    EventMessage altEnter = only(messagesForSdlEvent(keyEvent(SDL_KEYUP, SDLK_RETURN, KMOD_RALT)));
    EXPECT_EQ(altEnter.message, WM_SYSKEYUP);
    EXPECT_EQ(altEnter.wParam, VK_RETURN);

    EventMessage alt = only(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_LALT)));
    EXPECT_EQ(alt.message, WM_SYSKEYDOWN);
    EXPECT_EQ(alt.wParam, VK_MENU);

    EXPECT_EQ(only(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_F10))).message, WM_SYSKEYDOWN);
}

TEST(SdlEventTranslation, HeldKeysAreMarkedAsRepeats) {
    EventMessage held = only(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_a, 0, 1)));
    EXPECT_TRUE(held.lParam & KF_REPEAT_BIT);
}

TEST(SdlEventTranslation, VirtualKeyCodes) {
    EXPECT_EQ(virtualKeyOf(SDLK_a), WPARAM('A'));
    EXPECT_EQ(virtualKeyOf(SDLK_z), WPARAM('Z'));
    EXPECT_EQ(virtualKeyOf(SDLK_0), WPARAM('0'));
    EXPECT_EQ(virtualKeyOf(SDLK_9), WPARAM('9'));
    EXPECT_EQ(virtualKeyOf(SDLK_F1), VK_F1);
    EXPECT_EQ(virtualKeyOf(SDLK_F12), VK_F12);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_0), VK_NUMPAD0);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_9), VK_NUMPAD0 + 9);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(virtualKeyOf(SDLK_RSHIFT), VK_SHIFT);
    EXPECT_EQ(virtualKeyOf(SDLK_PAGEUP), VK_PRIOR);
}

TEST(SdlEventTranslation, KeysWithoutVirtualKeyMeanNothing) {
    EXPECT_EQ(virtualKeyOf(SDLK_APPLICATION + 1000), 0u);
    EXPECT_TRUE(messagesForSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY)).empty());
}

TEST(SdlEventTranslation, MouseMotionSetsTheCursorThenMoves) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = 2;
    event.motion.x = 120;
    event.motion.y = 45;
    event.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    auto messages = messagesForSdlEvent(event);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_SETCURSOR);
    EXPECT_EQ(LOWORD(messages[0].lParam), HTCLIENT);
    EXPECT_EQ(HIWORD(messages[0].lParam), WM_MOUSEMOVE);
    EXPECT_EQ(messages[1].message, WM_MOUSEMOVE);
    EXPECT_EQ(LOWORD(messages[1].lParam), 120);
    EXPECT_EQ(HIWORD(messages[1].lParam), 45);
    EXPECT_EQ(messages[1].wParam, MK_LBUTTON | MK_RBUTTON);
}

TEST(SdlEventTranslation, WindowStateChangesBecomeSizeMessages) {
    struct Case {
        SDL_WindowEventID id;
        WPARAM kind;
    } cases[] = {{SDL_WINDOWEVENT_MINIMIZED, SIZE_MINIMIZED},
                 {SDL_WINDOWEVENT_HIDDEN, SIZE_MAXHIDE},
                 {SDL_WINDOWEVENT_RESTORED, SIZE_RESTORED},
                 {SDL_WINDOWEVENT_SHOWN, SIZE_RESTORED},
                 {SDL_WINDOWEVENT_MAXIMIZED, SIZE_MAXIMIZED}};
    for (const Case& c : cases) {
        EventMessage m = only(messagesForSdlEvent(windowEvent(c.id)));
        EXPECT_EQ(m.message, WM_SIZE) << int(c.id);
        EXPECT_EQ(m.wParam, c.kind) << int(c.id);
        EXPECT_EQ(m.windowId, 5u);
    }
    EventMessage resized =
        only(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600)));
    EXPECT_EQ(resized.wParam, SIZE_RESTORED);
    EXPECT_EQ(LOWORD(resized.lParam), 800);
    EXPECT_EQ(HIWORD(resized.lParam), 600);
}

TEST(SdlEventTranslation, ExposeMoveCloseAndThePointerComingOver) {
    EXPECT_EQ(only(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_EXPOSED))).message, WM_PAINT);
    EventMessage moved = only(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_MOVED, 30, 40)));
    EXPECT_EQ(moved.message, WM_MOVE);
    EXPECT_EQ(LOWORD(moved.lParam), 30);
    EXPECT_EQ(only(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_CLOSE))).message, WM_CLOSE);
    // So that a full-screen window hides the cursor as soon as it is under it.
    EXPECT_EQ(only(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_ENTER))).message, WM_SETCURSOR);
    EXPECT_TRUE(messagesForSdlEvent(windowEvent(SDL_WINDOWEVENT_LEAVE)).empty());
}

TEST(SdlEventTranslation, QuitAsksEveryWindowToClose) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    EventMessage m = only(messagesForSdlEvent(event));
    EXPECT_EQ(m.message, WM_CLOSE);
    EXPECT_TRUE(m.toAllWindows);
}

}  // namespace
