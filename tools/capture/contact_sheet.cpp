#include "contact_sheet.h"

#include "bitmap_font.h"

#include <algorithm>
#include <cstring>

std::array<std::int32_t, kSceneCount> contactSheetTimes()
{
    std::array<std::int32_t, kSceneCount> times{};
    for (int scene = 1; scene <= kSceneCount; ++scene)
        times[scene - 1] = sceneWindow(scene).middle();
    return times;
}

std::string contactSheetLabel(int scene, std::int32_t time)
{
    return "scene " + std::to_string(scene) + "  " + std::to_string(time) + " ms";
}

RgbImage renderContactSheet(OffscreenGl &gl)
{
    const int w = gl.width(), h = gl.height();
    RgbImage sheet(kSheetColumns * (w + kSheetGap) - kSheetGap,
                   kSheetRows * (h + kSheetGap) - kSheetGap, 64);
    const int scale = std::max(1, h / 120);
    const auto times = contactSheetTimes();
    for (int i = 0; i < kSceneCount; ++i) {
        RgbImage tile;
        tile.width = w;
        tile.height = h;
        tile.pixels = gl.render(times[i]);
        const std::string label = contactSheetLabel(i + 1, times[i]);
        drawLabel(tile, 4 * scale, h - (kGlyphHeight + 4) * scale, label, scale);

        const int left = (i % kSheetColumns) * (w + kSheetGap);
        const int top = (i / kSheetColumns) * (h + kSheetGap);
        for (int y = 0; y < h; ++y)
            std::memcpy(sheet.at(left, top + y), tile.at(0, y), static_cast<std::size_t>(w) * 3);
    }
    return sheet;
}
