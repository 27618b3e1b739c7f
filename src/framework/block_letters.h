// Capital letters on a 5 x 7 grid, for the pictures the player draws
// itself. Only the letters it writes have a glyph.
#pragma once

constexpr unsigned blockLetterColumns = 5;
constexpr unsigned blockLetterRows = 7;

// Whether cell (column, row) of the letter's glyph is lit; a space or a
// letter without a glyph lights nothing.
bool blockLetterCell(char letter, unsigned column, unsigned row);
