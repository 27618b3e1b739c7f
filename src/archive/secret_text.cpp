#include "archive/secret_text.h"

#include <cstring>

void SecretText::assign(const char* text) {
    wipe();
    if (text) std::strncpy(text_, text, kMaxLength);
}

void SecretText::wipe() {
    // Through a volatile pointer, so the compiler cannot drop the stores.
    volatile char* p = text_;
    for (size_t i = 0; i < sizeof(text_); i++) p[i] = 0;
}

bool SecretText::isWiped() const {
    for (char c : text_) {
        if (c != 0) return false;
    }
    return true;
}
