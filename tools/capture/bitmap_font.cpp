#include "bitmap_font.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

struct Glyph {
    char c;
    std::array<std::uint8_t, kGlyphHeight> rows;  // bit 4 is the left column
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}},
    {'e', {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}},
    {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'s', {0x00, 0x00, 0x0E, 0x10, 0x0E, 0x01, 0x1E}},
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
};

// Characters the font lacks show as a filled box rather than vanish.
constexpr Glyph kMissing{'?', {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F}};

const Glyph &glyphOf(char c)
{
    for (const Glyph &glyph : kGlyphs)
        if (glyph.c == c)
            return glyph;
    return kMissing;
}

void darken(RgbImage &image, int x0, int y0, int x1, int y1)
{
    for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x)
            for (int c = 0; c < 3; ++c)
                image.at(x, y)[c] /= 4;
}

void fillWhite(RgbImage &image, int x0, int y0, int size)
{
    for (int y = std::max(y0, 0); y < std::min(y0 + size, image.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x0 + size, image.width); ++x)
            for (int c = 0; c < 3; ++c)
                image.at(x, y)[c] = 255;
}

} // namespace

int labelWidth(const std::string &text, int scale)
{
    return text.empty() ? 0 : (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void drawLabel(RgbImage &image, int x, int y, const std::string &text, int scale)
{
    const int pad = 2 * scale;
    darken(image, x - pad, y - pad, x + labelWidth(text, scale) + pad,
           y + kGlyphHeight * scale + pad);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph &glyph = glyphOf(text[i]);
        const int left = x + static_cast<int>(i) * kGlyphAdvance * scale;
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int column = 0; column < kGlyphWidth; ++column)
                if (glyph.rows[row] & (0x10 >> column))
                    fillWhite(image, left + column * scale, y + row * scale, scale);
    }
}
