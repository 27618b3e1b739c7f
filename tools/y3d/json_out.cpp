#include "json_out.h"

#include <cmath>
#include <cstdio>

void JsonOut::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!needsComma_.empty()) {
        if (needsComma_.back()) text_ += ',';
        needsComma_.back() = true;
    }
}

void JsonOut::open(char bracket) {
    separate();
    text_ += bracket;
    needsComma_.push_back(false);
}

void JsonOut::close(char bracket) {
    text_ += bracket;
    if (!needsComma_.empty()) needsComma_.pop_back();
}

void JsonOut::beginObject() {
    open('{');
}
void JsonOut::endObject() {
    close('}');
}
void JsonOut::beginArray() {
    open('[');
}
void JsonOut::endArray() {
    close(']');
}

void JsonOut::key(std::string_view name) {
    string(name);
    text_ += ':';
    afterKey_ = true;
}

void JsonOut::string(std::string_view value) {
    separate();
    text_ += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(byte));
            text_ += escaped;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

void JsonOut::number(double value) {
    if (!std::isfinite(value)) {
        null();
        return;
    }
    separate();
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.9g", value);
    text_ += digits;
}

void JsonOut::boolean(bool value) {
    separate();
    text_ += value ? "true" : "false";
}

void JsonOut::null() {
    separate();
    text_ += "null";
}

void JsonOut::vector(const D3DXVECTOR3& v) {
    beginArray();
    number(v.x);
    number(v.y);
    number(v.z);
    endArray();
}
