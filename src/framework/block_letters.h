// Capital letters on a 5 x 7 grid, for the pictures the player draws
// itself. Only the letters it writes have a glyph.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

constexpr unsigned blockLetterColumns = 5;
constexpr unsigned blockLetterRows = 7;

// Whether cell (column, row) of the letter's glyph is lit; a space or a
// letter without a glyph lights nothing.
bool blockLetterCell(char letter, unsigned column, unsigned row);

// A line of text set in block letters, each cell `scale` pixels square and
// one empty column between letters.
struct BlockText {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> lit;  // 1 for a lit pixel, rows top first

    bool at(unsigned x, unsigned y) const {
        return x < width && y < height && lit[std::size_t(y) * width + x];
    }
};
BlockText setInBlockLetters(std::string_view text, unsigned scale);
