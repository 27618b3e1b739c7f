#include "platform/win32/window_classes.h"

#include <strings.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace {

struct ClassTable {
    std::mutex lock;
    std::vector<RegisteredClass> classes;  // atom = index + 1
};

ClassTable& classTable() {
    static ClassTable instance;
    return instance;
}

bool isAtom(LPCSTR nameOrAtom) {
    return reinterpret_cast<std::uintptr_t>(nameOrAtom) < 0x10000;
}

std::optional<std::size_t> indexOf(LPCSTR nameOrAtom) {
    const auto& classes = classTable().classes;
    if (isAtom(nameOrAtom)) {
        std::size_t atom = reinterpret_cast<std::uintptr_t>(nameOrAtom);
        if (atom == 0 || atom > classes.size()) return std::nullopt;
        return atom - 1;
    }
    for (std::size_t i = 0; i < classes.size(); ++i)
        if (strcasecmp(classes[i].name.c_str(), nameOrAtom) == 0) return i;
    return std::nullopt;
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || isAtom(windowClass->lpszClassName)) return 0;
    if (!windowClass->lpfnWndProc) return 0;
    std::lock_guard guard(classTable().lock);
    if (indexOf(windowClass->lpszClassName)) return 0;
    classTable().classes.push_back(
        {windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hCursor});
    return ATOM(classTable().classes.size());
}

std::optional<RegisteredClass> findWindowClass(LPCSTR nameOrAtom) {
    if (!nameOrAtom) return std::nullopt;
    std::lock_guard guard(classTable().lock);
    auto index = indexOf(nameOrAtom);
    if (!index) return std::nullopt;
    return classTable().classes[*index];
}

HBRUSH GetStockObject(int object) {
    static int blackBrush;
    return object == BLACK_BRUSH ? reinterpret_cast<HBRUSH>(&blackBrush) : nullptr;
}
