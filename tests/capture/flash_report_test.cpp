#include "flash_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// 258x96 frames: the 10-degree field is 43x32 pixels (a 1024x768 screen
// fitted into 96 rows), a quarter of it 344 pixels, and six fields side by
// side fill the width.
constexpr int kWidth = 258, kHeight = 96, kFps = 60;
constexpr int kFieldWidth = 43, kFieldHeight = 32;

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kOrange{255, 140, 0};

// The colour of pixel (x, y) in frame `frame`.
using Picture = std::function<Rgb(int frame, int x, int y)>;

std::vector<std::uint8_t> frameOf(const Picture &picture, int frame, int width, int height)
{
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = picture(frame, x, y);
            std::uint8_t *p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    return rgb;
}

// Two seconds of the picture: the worst period's counts, and the seconds
// that fail.
struct Outcome {
    FlashCount worst;
    std::vector<FlashSecond> failing;
};

// Frame `frame` as RGB rows.
using Frames = std::function<std::vector<std::uint8_t>(int frame)>;

Outcome analyse(const Frames &frames, int width, int height)
{
    FlashReport report(width, height, FrameRange{0, 2000, kFps}, nullptr);
    std::string error;
    for (int i = 0; i < 2 * kFps; ++i)
        EXPECT_TRUE(report.add(frames(i), error));
    EXPECT_TRUE(report.close(error));
    return {report.mostInASecond(), report.failingSeconds()};
}

Outcome analyse(const Picture &picture)
{
    return analyse([&](int i) { return frameOf(picture, i, kWidth, kHeight); }, kWidth, kHeight);
}

// `on` every other 1 / (2 * hertz) s, `off` between.
std::function<bool(int)> blinking(int hertz)
{
    return [=](int frame) { return (frame * 2 * hertz / kFps) % 2 == 1; };
}

// The whole frame, or a w x h rectangle at (5, 5) on black, blinking.
Picture toggle(int hertz, Rgb off, Rgb on, int w = kWidth, int h = kHeight)
{
    const auto lit = blinking(hertz);
    return [=](int frame, int x, int y) {
        const bool inside = x >= 5 && x < 5 + w && y >= 5 && y < 5 + h;
        if (w == kWidth)
            return lit(frame) ? on : off;
        return inside && lit(frame) ? on : kBlack;
    };
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
    EXPECT_EQ(ten.failing.size(), 2u);

    const Outcome three = analyse(toggle(3, kBlack, kWhite));
    EXPECT_EQ(three.worst.general, 3);
    EXPECT_TRUE(three.failing.empty());
}

// A small part of the frame is judged against one 10-degree field, not
// against the whole screen.
TEST(FlashReport, AQuarterOfOneFieldFlashingConcurrentlyFails)
{
    // 26 x 16 is 30 % of the field (1.7 % of the frame): it fails, and the
    // report shows it lit, inside fields that hold it.
    const Outcome large = analyse(toggle(10, kBlack, kWhite, 26, 16));
    EXPECT_EQ(large.worst.general, 10);
    ASSERT_EQ(large.failing.size(), 2u);
    for (const FlashSecond &second : large.failing) {
        const int frame = (second.worstTime * kFps + 999) / 1000;
        EXPECT_TRUE(blinking(10)(frame)) << second.worstTime;
        ASSERT_FALSE(second.fields.empty());
        for (const FieldRect &f : second.fields) {
            const int w = std::min(f.x + f.width, 31) - std::max(f.x, 5);
            const int h = std::min(f.y + f.height, 21) - std::max(f.y, 5);
            EXPECT_GE(w * h, kFieldWidth * kFieldHeight / 4) << f.x << "," << f.y;
        }
    }
    // 17 x 16, 20 %, passes.
    const Outcome small = analyse(toggle(10, kBlack, kWhite, 17, 16));
    EXPECT_EQ(small.worst.general, 0);
    EXPECT_TRUE(small.failing.empty());
    // The 30 % rectangle's halves (15 % each) switching a frame apart are
    // one change of the field.
    const auto lit = blinking(10);
    const Outcome staggered = analyse([&](int frame, int x, int y) {
        const bool inside = x >= 5 && x < 31 && y >= 5 && y < 21;
        return inside && lit(x < 18 ? frame : frame - 1) ? kWhite : kBlack;
    });
    EXPECT_EQ(staggered.worst.general, 10);
}

TEST(FlashReport, MovingEdgesCountOnlyWhereAQuarterOfAFieldChangesAtOnce)
{
    // One-pixel white lines 15 px apart, a pixel a frame: every pixel under
    // them changes eight times a second, but never a fifteenth of a field at once.
    const Outcome grating = analyse([](int frame, int x, int) {
        return (x + frame) % 15 == 0 ? kWhite : kBlack;
    });
    EXPECT_EQ(grating.worst.general, 0);
    // A bar a field wide and two high jumping by its width, across the
    // frame ten times a second: each field it lands on changes at once ten
    // times a second (one that straddles two of its places, twice as
    // often), though the bar covers a ninth of the frame.
    const Outcome bar = analyse([](int frame, int x, int y) {
        const bool inside = x / kFieldWidth == frame % 6 && y >= 16 && y < 16 + 2 * kFieldHeight;
        return inside ? kWhite : kBlack;
    });
    EXPECT_GE(bar.worst.general, 10);
    EXPECT_EQ(bar.failing.size(), 2u);
}

TEST(FlashReport, SaturatedRedTogglesAreRedFlashes)
{
    const Outcome red = analyse(toggle(10, kBlack, kRed, 26, 16));
    EXPECT_EQ(red.worst.red, 10);
    EXPECT_EQ(red.failing.size(), 2u);
    // Orange is no saturated red: no red flashes, though its luminance flashes.
    const Outcome orange = analyse(toggle(10, kBlack, kOrange, 26, 16));
    EXPECT_EQ(orange.worst.red, 0);
    EXPECT_EQ(orange.worst.general, 10);
}

TEST(FlashReport, SmallChangesPaleFlashesAndFadesAreNoFlashes)
{
    // 0.08 apart in relative luminance: below the 0.1 step.
    EXPECT_EQ(analyse(toggle(10, kBlack, grey(80))).worst.general, 0);
    // 0.87 and 1.0: the darker state is above 0.8.
    EXPECT_EQ(analyse(toggle(10, grey(240), kWhite)).worst.general, 0);
    // Black to white over a second is one change, however many frames it
    // takes; back to black over the next, a second one.
    const Outcome up = analyse([](int frame, int, int) {
        return grey(std::min(frame, kFps) * 255 / kFps);
    });
    EXPECT_EQ(up.worst.general, 0);
    const Outcome upAndDown = analyse([](int frame, int, int) {
        return grey(frame < kFps ? frame * 255 / kFps : (2 * kFps - frame) * 255 / kFps);
    });
    EXPECT_LE(upAndDown.worst.general, 1);
    EXPECT_TRUE(upAndDown.failing.empty());
}

// What is finer than 0.1 degree is judged by its mean: a checkerboard of
// pixels inverting ten times a second does not flash where two pixels make
// 0.1 degree (a 700x540 frame), though every pixel changes; lit all at
// once, the same pixels do.
TEST(FlashReport, FineBalancedPatternsAreNoFlashes)
{
    constexpr int w = 700, h = 540;
    EXPECT_EQ(cellSize(w, h), 2);
    const auto lit = blinking(10);
    const auto pictureOf = [](auto colour) {
        return frameOf([&](int, int x, int y) { return colour((x + y) % 2 == 0); }, 0, w, h);
    };
    const auto even = pictureOf([](bool e) { return e ? kWhite : kBlack; });
    const auto odd = pictureOf([](bool e) { return e ? kBlack : kWhite; });
    const auto dark = pictureOf([](bool) { return kBlack; });
    EXPECT_EQ(analyse([&](int i) { return lit(i) ? even : odd; }, w, h).worst.general, 0);
    EXPECT_EQ(analyse([&](int i) { return lit(i) ? even : dark; }, w, h).worst.general, 10);
}
