#pragma once

// Block glyphs of the title "Ostre3".
//
// The first five characters are drawn column by column, four quarters of the
// glyph height per column. Each is given as a picture, top row first: '#'
// fills that quarter; a column filled from top to bottom becomes one full
// bar. The last character sits on a 3 by 5 cell grid whose rows 0, 2 and 4
// are always full bars; only the two single cells of rows 1 and 3 vary.

#include <cstddef>

namespace title {

constexpr int kQuarters = 4;

struct StrokeGlyph {
    const char *rows[kQuarters];  // top quarter first, one char per column
};

constexpr StrokeGlyph kStrokeGlyphs[] = {
    {{"###",
      "#.#",
      "#.#",
      "###"}},  // O
    {{"##",
      "#.",
      ".#",
      "##"}},   // s
    {{"#.",
      "##",
      "#.",
      "##"}},   // t
    {{"..",
      "##",
      "#.",
      "#."}},   // r
    {{"###",
      "#..",
      "##.",
      "###"}},  // e
};

enum class CellColumn { Left, Right };

// Single cells of rows 1 and 3 (counted from the bottom): a "3".
constexpr CellColumn kDigitCells[2] = {CellColumn::Right, CellColumn::Right};

constexpr int columnCount(const StrokeGlyph &glyph)
{
    int n = 0;
    while (glyph.rows[0][n] != '\0')
        ++n;
    return n;
}

// Quarter 0 is the bottom one, the last row of the picture.
constexpr bool fills(const StrokeGlyph &glyph, int column, int quarter)
{
    return glyph.rows[kQuarters - 1 - quarter][column] == '#';
}

constexpr bool isFullBar(const StrokeGlyph &glyph, int column)
{
    for (int j = 0; j < kQuarters; ++j)
        if (!fills(glyph, column, j))
            return false;
    return true;
}

} // namespace title
