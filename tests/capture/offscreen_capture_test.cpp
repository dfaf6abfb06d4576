#include "offscreen_gl.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Rgb = std::array<int, 3>;

struct Picture {
    int width, height;
    std::vector<std::uint8_t> rgb;

    // y counts GL rows from the bottom, as the scenes' scissor bands do.
    Rgb at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(height - 1 - y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Picture capture(std::int32_t t, int w, int h)
{
    std::string error;
    auto gl = OffscreenGl::create(w, h, error);
    if (!gl) {
        ADD_FAILURE() << error;
        return {w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
    }
    return {w, h, gl->render(t)};
}

int channel(float v) { return static_cast<int>(std::lround(v * 255.0)); }

} // namespace

TEST(OffscreenCapture, ClosingSceneFillsItsBandAndLeavesTheRestBlack)
{
    const Picture p = capture(120000, 1920, 1080);
    const Rgb band{channel(0.165160343f), channel(0.07156948f), channel(0.0825801715f)};
    const Rgb black{0, 0, 0};
    // Left of the spiral every row is either band or black.
    for (int y = 0; y < p.height; ++y) {
        const bool inBand = y >= 323 && y <= 754;
        for (int x : {0, 1, 150, 400}) {
            ASSERT_EQ(p.at(x, y), inBand ? band : black) << "x " << x << " row " << y;
        }
    }
    // The spiral itself is drawn over the middle of the picture.
    int spiral = 0;
    for (int y = 300; y < 780; ++y)
        for (int x = 700; x < 1220; ++x)
            spiral += p.at(x, y) != band && p.at(x, y) != black;
    EXPECT_GT(spiral, 20000);
}

TEST(OffscreenCapture, SameTimeGivesTheSamePixels)
{
    std::string error;
    auto gl = OffscreenGl::create(320, 180, error);
    ASSERT_TRUE(gl) << error;
    const auto first = gl->render(116000);
    gl->render(9000);  // another scene in between leaves no trace
    EXPECT_EQ(gl->render(116000), first);
    EXPECT_EQ(capture(116000, 320, 180).rgb, first);
}

TEST(OffscreenCapture, PastTheTimelineNothingIsDrawn)
{
    // No scene runs at the end time: the framebuffer keeps its initial
    // (black) content rather than showing garbage.
    const Picture p = capture(129064, 64, 36);
    for (std::uint8_t v : p.rgb)
        ASSERT_EQ(v, 0);
}

TEST(OffscreenCapture, OversizedImageIsRefusedWithAReason)
{
    std::string error;
    EXPECT_FALSE(OffscreenGl::create(1, 1 << 20, error));
    EXPECT_NE(error.find("exceeds"), std::string::npos) << error;
}
