// Reading a text file's bytes line by line and word by word: the one way
// the OBJ and MTL readers look at their input. Lines end at \n (a \r before
// it is dropped); comments start at #.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class TextLines {
  public:
    explicit TextLines(std::span<const std::uint8_t> bytes)
        : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {}

    // The next line's words (none for an empty or comment line); false at
    // the end of the text.
    bool next(std::vector<std::string_view>& words);
    // 1 for the first line.
    std::size_t lineNumber() const { return lineNumber_; }
    // The rest of the current line after its first word, trimmed (names
    // with spaces in them).
    std::string_view restAfterFirstWord() const;

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
    std::string_view line_;
};

// A whole word as a float; false when it is not one.
bool parseFloat(std::string_view word, float& value);
// A whole word as an integer; false when it is not one.
bool parseInt(std::string_view word, long& value);
