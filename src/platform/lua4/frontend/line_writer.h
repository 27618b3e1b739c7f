// Builds the Lua 5.1 text token by token, placing each token on a chosen
// line of the output so that the lines match the script's.
#pragma once

#include <string>
#include <string_view>

namespace lua4::frontend {

class LineWriter {
  public:
    // Starts new lines until the output is on line; never goes back.
    void moveTo(int line);
    // Appends a token, separated from the previous one by a space. Newlines
    // inside it (a string spanning lines) are counted.
    void put(std::string_view token);
    // Appends a token right after the previous one, without a space; for
    // punctuation that cannot merge with what precedes it.
    void attach(std::string_view token);
    // moveTo(line), then put(token).
    void putAt(int line, std::string_view token);

    int line() const { return line_; }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
    int line_ = 1;
    bool atLineStart_ = true;
};

}  // namespace lua4::frontend
