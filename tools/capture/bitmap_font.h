#pragma once

#include "rgb_image.h"

#include <string>

// A 5x7 pixel font for the contact-sheet labels: digits and the letters of
// "scene" and "ms", drawn without any font machinery so labels come out the
// same on any machine, with or without a display.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Pixel widths of `text` drawn at `scale` (each font pixel a scale-sized square).
int labelWidth(const std::string &text, int scale);

// Draws white `text` with its top-left corner at (x, y) on a darkened box
// that keeps it readable over any picture. Parts outside the image are cut.
void drawLabel(RgbImage &image, int x, int y, const std::string &text, int scale);
