#pragma once

#include <cstdint>
#include <vector>

// RGB rows, top first, as the offscreen renderer returns them.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int width, int height, std::uint8_t grey = 0)
        : width(width), height(height),
          pixels(static_cast<std::size_t>(width) * height * 3, grey)
    {
    }

    std::uint8_t *at(int x, int y)
    {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
    }
    const std::uint8_t *at(int x, int y) const
    {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
    }
};
