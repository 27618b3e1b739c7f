#include "platform/lua4/frontend/string_literal.h"

namespace lua4::frontend {

namespace {

void appendDecimalEscape(std::string& out, unsigned char c) {
    out += '\\';
    out += static_cast<char>('0' + c / 100);
    out += static_cast<char>('0' + c / 10 % 10);
    out += static_cast<char>('0' + c % 10);
}

}  // namespace

std::string quoteString(std::string_view bytes, int lineBreaks) {
    std::string out;
    out.reserve(bytes.size() + 2);
    out += '"';
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += lineBreaks-- > 0 ? "\\\n" : "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 32 || byte == 127) {
            appendDecimalEscape(out, byte);
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace lua4::frontend
