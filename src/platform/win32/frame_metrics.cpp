// The non-client frame of a window from its style, with fixed metrics, so
// that outer and client sizes relate as they do on Windows.
#include "platform/win32/window.h"

namespace {

LONG frameWidth(DWORD style) {
    if (style & WS_THICKFRAME) return sizingFrameWidth;
    if (style & WS_DLGFRAME) return dialogFrameWidth;
    if (style & WS_BORDER) return thinBorderWidth;
    return 0;
}

}  // namespace

RECT nonClientInsets(DWORD style, bool hasMenu) {
    LONG frame = frameWidth(style);
    LONG top = frame;
    if ((style & WS_CAPTION) == WS_CAPTION) top += captionBarHeight;
    if (hasMenu) top += menuBarHeight;
    return {frame, top, frame, frame};
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL hasMenu) {
    if (!rect) return FALSE;
    RECT insets = nonClientInsets(style, hasMenu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}
