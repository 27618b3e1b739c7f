#include "platform/lua4/frontend/line_writer.h"

namespace lua4::frontend {

void LineWriter::moveTo(int line) {
    if (line <= line_) return;
    out_.append(static_cast<std::size_t>(line - line_), '\n');
    line_ = line;
    atLineStart_ = true;
}

void LineWriter::put(std::string_view token) {
    if (!atLineStart_) out_ += ' ';
    out_ += token;
    for (char c : token) {
        if (c == '\n') ++line_;
    }
    atLineStart_ = false;
}

void LineWriter::attach(std::string_view token) {
    out_ += token;
    atLineStart_ = false;
}

void LineWriter::putAt(int line, std::string_view token) {
    moveTo(line);
    put(token);
}

}  // namespace lua4::frontend
