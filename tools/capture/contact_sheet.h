#pragma once

#include "offscreen_gl.h"
#include "rgb_image.h"
#include "timeline.h"

#include <array>
#include <cstdint>
#include <string>

// A sheet of the scenes, one tile each, three to a row (3 by 3 for nine),
// for a first look at the demo before reading about it.
constexpr int kSheetColumns = 3;
constexpr int kSheetRows = (kSceneCount + kSheetColumns - 1) / kSheetColumns;
constexpr int kSheetGap = 4;  // grey lines between the tiles

// The middle of each scene's time window (scene 1's counted from 0).
std::array<std::int32_t, kSceneCount> contactSheetTimes();

// "scene 4  48224 ms"
std::string contactSheetLabel(int scene, std::int32_t time);

// Renders the tiles at `gl`'s size, row by row, each labelled at its
// bottom left with its scene and scene time.
RgbImage renderContactSheet(OffscreenGl &gl);
