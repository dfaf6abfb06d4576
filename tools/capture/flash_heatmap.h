#pragma once

#include "flash_report.h"
#include "offscreen_gl.h"
#include "rgb_image.h"

#include <string>
#include <vector>

// Marks where a frame flashes: the area the fields cover, outlined, and
// everything outside it at half its brightness.
void outlineFields(RgbImage &image, const std::vector<FieldRect> &fields);

// For each failing second, second_<N>.png in `directory` (created if need
// be): the frame at its worst moment, drawn again, its failing fields
// outlined and its scene and time written at the bottom. False, with the
// reason, at the first file that cannot be written.
bool writeFlashHeatmaps(OffscreenGl &gl, const std::vector<FlashSecond> &seconds,
                        const std::string &directory, std::string &error);
