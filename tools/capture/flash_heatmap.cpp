#include "flash_heatmap.h"

#include "bitmap_font.h"
#include "contact_sheet.h"
#include "png_file.h"
#include "timeline.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::uint8_t kOutline[3] = {255, 220, 0};

// How many of the fields cover each pixel, as running sums over rows.
std::vector<int> coverage(int width, int height, const std::vector<FieldRect> &fields)
{
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    std::vector<int> sums(stride * (height + 1), 0);
    for (const FieldRect &f : fields) {
        sums[f.y * stride + f.x] += 1;
        sums[f.y * stride + f.x + f.width] -= 1;
        sums[(f.y + f.height) * stride + f.x] -= 1;
        sums[(f.y + f.height) * stride + f.x + f.width] += 1;
    }
    for (int y = 0; y <= height; ++y)
        for (int x = 0; x <= width; ++x)
            sums[y * stride + x] += (x > 0 ? sums[y * stride + x - 1] : 0)
                + (y > 0 ? sums[(y - 1) * stride + x] : 0)
                - (x > 0 && y > 0 ? sums[(y - 1) * stride + x - 1] : 0);
    std::vector<int> covered(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            covered[static_cast<std::size_t>(y) * width + x] = sums[y * stride + x] > 0;
    return covered;
}

} // namespace

void outlineFields(RgbImage &image, const std::vector<FieldRect> &fields)
{
    const int w = image.width, h = image.height;
    const std::vector<int> inside = coverage(w, h, fields);
    const int thickness = std::max(2, h / 180);
    const auto covered = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && inside[static_cast<std::size_t>(y) * w + x];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = image.at(x, y);
            if (!covered(x, y)) {
                for (int c = 0; c < 3; ++c)
                    p[c] /= 2;
                continue;
            }
            // On the outline: some pixel within `thickness` lies outside.
            bool edge = false;
            for (int d = 1; d <= thickness && !edge; ++d)
                edge = !covered(x - d, y) || !covered(x + d, y) || !covered(x, y - d)
                    || !covered(x, y + d);
            if (edge)
                std::copy(kOutline, kOutline + 3, p);
        }
}

bool writeFlashHeatmaps(OffscreenGl &gl, const std::vector<FlashSecond> &seconds,
                        const std::string &directory, std::string &error)
{
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    if (failure) {
        error = "cannot create " + directory + ": " + failure.message();
        return false;
    }
    const int scale = std::max(1, gl.height() / 120);
    for (const FlashSecond &second : seconds) {
        RgbImage image;
        image.width = gl.width();
        image.height = gl.height();
        image.pixels = gl.render(second.worstTime);
        outlineFields(image, second.fields);
        const int scene = sceneAt(std::clamp(second.worstTime, 0, kTimelineEnd - 1));
        drawLabel(image, 4 * scale, image.height - (kGlyphHeight + 4) * scale,
                  contactSheetLabel(scene, second.worstTime), scale);
        char name[40];
        std::snprintf(name, sizeof name, "/second_%03lld.png", static_cast<long long>(second.second));
        if (!writePng(directory + name, image.width, image.height, image.pixels, error))
            return false;
    }
    return true;
}
