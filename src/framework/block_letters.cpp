#include "framework/block_letters.h"

namespace {

struct Glyph {
    char letter;
    const char* rows[blockLetterRows];
};

constexpr Glyph glyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
};

}  // namespace

bool blockLetterCell(char letter, unsigned column, unsigned row) {
    if (column >= blockLetterColumns || row >= blockLetterRows) return false;
    for (const Glyph& glyph : glyphs)
        if (glyph.letter == letter) return glyph.rows[row][column] == '#';
    return false;
}

BlockText setInBlockLetters(std::string_view text, unsigned scale) {
    BlockText set;
    if (text.empty() || scale == 0) return set;
    const unsigned advance = (blockLetterColumns + 1) * scale;
    set.width = unsigned(text.size()) * advance - scale;
    set.height = blockLetterRows * scale;
    set.lit.assign(std::size_t(set.width) * set.height, 0);
    for (unsigned y = 0; y < set.height; ++y)
        for (unsigned x = 0; x < set.width; ++x)
            set.lit[std::size_t(y) * set.width + x] =
                x % advance < blockLetterColumns * scale &&
                blockLetterCell(text[x / advance], x % advance / scale, y / scale);
    return set;
}
