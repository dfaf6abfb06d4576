#include "flash_report.h"
#include "offscreen_gl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

double relativeLuminance(const std::uint8_t *p)
{
    const auto linear = [](std::uint8_t v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(p[0]) + 0.7152 * linear(p[1]) + 0.0722 * linear(p[2]);
}

std::size_t failingSeconds(bool gentle, std::int32_t from, std::int32_t to, int w, int h)
{
    std::string error;
    auto gl = OffscreenGl::create(w, h, error);
    if (!gl) {
        ADD_FAILURE() << error;
        return 0;
    }
    gl->setGentle(gentle);
    const FrameRange range{from, to, 60};
    FlashReport report(w, h, range, nullptr);
    for (std::int64_t i = 0; i < range.frameCount(); ++i)
        EXPECT_TRUE(report.add(gl->render(range.timeOf(i)), error));
    EXPECT_TRUE(report.close(error));
    return report.failingSeconds().size();
}

} // namespace

TEST(GentlePicture, StaysBelowATenthOfWhiteAndKeepsThePicture)
{
    std::string error;
    auto gl = OffscreenGl::create(320, 180, error);
    ASSERT_TRUE(gl) << error;
    const auto normal = gl->render(16128);  // scene 2: its title adds up to white
    gl->setGentle(true);
    const auto gentle = gl->render(16128);
    double brightest = 0;
    int drawn = 0, lost = 0;  // pixels lit in the normal picture, and black in the gentle one
    for (std::size_t i = 0; i < gentle.size(); i += 3) {
        brightest = std::max(brightest, relativeLuminance(&gentle[i]));
        if (relativeLuminance(&normal[i]) > 0.01) {
            ++drawn;
            lost += relativeLuminance(&gentle[i]) == 0;
        }
    }
    EXPECT_LT(brightest, 0.1);
    EXPECT_GT(brightest, 0.08);
    EXPECT_GT(drawn, 320 * 180 / 10);
    EXPECT_EQ(lost, 0);
    // The time alone makes the picture, whatever was drawn before.
    gl->render(90000);
    EXPECT_EQ(gl->render(16128), gentle);
}

TEST(GentlePicture, ScenesThatFlashDoNotWhenGentle)
{
    // Scene 7's bundle: every second over three flashes in the normal picture.
    EXPECT_EQ(failingSeconds(false, 81000, 83000, 160, 90), 2u);
    EXPECT_EQ(failingSeconds(true, 81000, 83000, 160, 90), 0u);
}
