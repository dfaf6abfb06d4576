#include "flash_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// 256x192 frames: a quarter of the reference screen, so the 10-degree
// field is 85x64 pixels and a quarter of it 1360 pixels.
constexpr int kWidth = 256, kHeight = 192, kFps = 60;

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0};

// A uniform background with a square of `side` pixels whose colour is a
// function of the frame index; the whole frame when side is 0.
using Pattern = std::function<Rgb(int frame)>;

std::vector<std::uint8_t> frameOf(int side, Rgb square)
{
    std::vector<std::uint8_t> rgb(kWidth * kHeight * 3, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (side == 0 || (x < side && y < side)) {
                std::uint8_t *p = &rgb[(y * kWidth + x) * 3];
                p[0] = square.r, p[1] = square.g, p[2] = square.b;
            }
    return rgb;
}

// Runs two seconds of the pattern through a report; the worst counts of
// its seconds and how many failed.
struct Outcome {
    FlashCount worst;
    std::size_t failingSeconds;
};

Outcome analyse(const Pattern &pattern, int side = 0)
{
    FlashReport report(kWidth, kHeight, FrameRange{0, 2000, kFps}, nullptr);
    std::string error;
    for (int i = 0; i < 2 * kFps; ++i)
        EXPECT_TRUE(report.add(frameOf(side, pattern(i)), error));
    EXPECT_TRUE(report.close(error));
    FlashCount worst;
    FlashCounter counter(kWidth, kHeight, kFps);
    for (int i = 0; i < 2 * kFps; ++i) {
        const FlashCount c = counter.add(frameOf(side, pattern(i)).data());
        worst.general = std::max(worst.general, c.general);
        worst.red = std::max(worst.red, c.red);
    }
    return {worst, report.failingSeconds().size()};
}

// Switches between two colours every frames / 2 frames: `hertz` cycles a second.
Pattern toggle(int hertz, Rgb a, Rgb b)
{
    return [=](int frame) { return (frame * 2 * hertz / kFps) % 2 ? b : a; };
}

Rgb grey(int v)
{
    const auto c = static_cast<std::uint8_t>(v);
    return {c, c, c};
}

} // namespace

TEST(FlashReport, FullScreenTogglesFailAboveThreeFlashesASecond)
{
    const Outcome ten = analyse(toggle(10, kBlack, kWhite));
    EXPECT_EQ(ten.worst.general, 10);
    EXPECT_EQ(ten.worst.red, 0);
    EXPECT_EQ(ten.failingSeconds, 2u);

    const Outcome three = analyse(toggle(3, kBlack, kWhite));
    EXPECT_EQ(three.worst.general, 3);
    EXPECT_EQ(three.failingSeconds, 0u);
}

TEST(FlashReport, SaturatedRedTogglesAreRedFlashes)
{
    const Outcome red = analyse(toggle(10, kBlack, kRed));
    EXPECT_EQ(red.worst.red, 10);
    EXPECT_EQ(red.failingSeconds, 2u);
    // Orange is no saturated red: no red flashes, though its luminance flashes.
    const Outcome orange = analyse(toggle(10, kBlack, Rgb{255, 140, 0}));
    EXPECT_EQ(orange.worst.red, 0);
    EXPECT_EQ(orange.worst.general, 10);
}

TEST(FlashReport, SmallChangesPaleFlashesAndFadesAreNoFlashes)
{
    // 0.08 apart in relative luminance: below the 0.1 step.
    EXPECT_EQ(analyse(toggle(10, kBlack, grey(80))).worst.general, 0);
    // 0.87 and 1.0: the darker state is above 0.8.
    EXPECT_EQ(analyse(toggle(10, grey(240), kWhite)).worst.general, 0);
    // Black to white over one second and back over the next: one rise and
    // one fall, however many frames they take.
    const Outcome fade = analyse([](int frame) {
        return grey(frame < kFps ? frame * 255 / kFps : (2 * kFps - frame) * 255 / kFps);
    });
    EXPECT_LE(fade.worst.general, 1);
    EXPECT_EQ(fade.failingSeconds, 0u);
}

TEST(FlashReport, FlashesCountOnlyOverAQuarterOfTheVisualField)
{
    EXPECT_EQ(visualField(kWidth, kHeight).width, 85);
    EXPECT_EQ(visualField(kWidth, kHeight).height, 64);
    // 36 x 36 = 1296 pixels flash, under a quarter of 85 x 64; 37 x 37 = 1369.
    EXPECT_EQ(analyse(toggle(10, kBlack, kWhite), 36).failingSeconds, 0u);
    EXPECT_EQ(analyse(toggle(10, kBlack, kWhite), 37).worst.general, 10);
}
