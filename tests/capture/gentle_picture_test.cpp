#include "flash_report.h"
#include "light_report.h"
#include "offscreen_gl.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 160, kHeight = 90;

FlashCount mostFlashes(OffscreenGl &gl, bool gentle, std::int32_t from, std::int32_t to)
{
    std::string error;
    gl.setGentle(gentle);
    const FrameRange range{from, to, 60};
    FlashReport report(kWidth, kHeight, range, nullptr);
    for (std::int64_t i = 0; i < range.frameCount(); ++i)
        EXPECT_TRUE(report.add(gl.render(range.timeOf(i)), error));
    EXPECT_TRUE(report.close(error));
    return report.mostInASecond();
}

std::unique_ptr<OffscreenGl> offscreen()
{
    std::string error;
    auto gl = OffscreenGl::create(kWidth, kHeight, error);
    EXPECT_TRUE(gl) << error;
    return gl;
}

} // namespace

TEST(GentlePicture, ScenesThatFlashDoNotWhenGentle)
{
    const auto gl = offscreen();
    ASSERT_TRUE(gl);
    // Scene 7's dense bundle, turning and thrown apart on every beat.
    EXPECT_GT(mostFlashes(*gl, false, 81000, 83000).general, kMostFlashesASecond);
    EXPECT_LE(mostFlashes(*gl, true, 81000, 83000).general, 1);
}

TEST(GentlePicture, KeepsTheLightOfEveryScene)
{
    const auto gl = offscreen();
    ASSERT_TRUE(gl);
    LightReport light, dimmed;
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        const SceneWindow w = sceneWindow(scene);
        for (int i = 1; i <= 9; ++i) {
            const std::int32_t t = w.start + w.length() * i / 10;
            gl->setGentle(false);
            const auto normal = gl->render(t);
            gl->setGentle(true);
            const auto gentle = gl->render(t);
            light.add(t, normal, gentle);
            // A third of every pixel, which a dimmer over the picture gives.
            std::vector<std::uint8_t> third(normal);
            for (std::uint8_t &c : third)
                c = static_cast<std::uint8_t>(c / 3);
            dimmed.add(t, normal, third);
        }
    }
    if (!light.keepsTheLight())
        light.print(stderr);
    EXPECT_TRUE(light.keepsTheLight());
    EXPECT_FALSE(dimmed.keepsTheLight());
    // The time alone makes the picture, whatever was drawn before.
    const auto first = gl->render(16128);
    gl->render(90000);
    EXPECT_EQ(gl->render(16128), first);
}
