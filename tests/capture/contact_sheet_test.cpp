#include "bitmap_font.h"
#include "contact_sheet.h"
#include "timeline.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ContactSheet, OneTimeFromTheMiddleOfEachScene)
{
    const auto times = contactSheetTimes();
    std::int32_t start = 0;
    for (int i = 0; i < kSceneCount; ++i) {
        EXPECT_EQ(sceneAt(times[i]), i + 1) << times[i];
        const std::int32_t end = kSceneEnds[i];
        EXPECT_LE(std::abs((times[i] - start) - (end - times[i])), 1) << "scene " << i + 1;
        start = end;
    }
    EXPECT_EQ(contactSheetLabel(4, times[3]), "scene 4  48224 ms");
}

TEST(ContactSheet, TilesAreTheScenesAsRenderedApartFromTheirLabels)
{
    const int w = 160, h = 90;
    std::string error;
    auto gl = OffscreenGl::create(w, h, error);
    ASSERT_TRUE(gl) << error;
    const RgbImage sheet = renderContactSheet(*gl);
    ASSERT_EQ(sheet.width, 3 * w + 2 * kSheetGap);
    ASSERT_EQ(sheet.height, 3 * h + 2 * kSheetGap);

    const auto times = contactSheetTimes();
    const int labelTop = h - (kGlyphHeight + 6);  // at scale 1, with its box
    for (int i = 0; i < kSceneCount; ++i) {
        const auto scene = gl->render(times[i]);
        const int left = (i % 3) * (w + kSheetGap), top = (i / 3) * (h + kSheetGap);
        for (int y = 0; y < labelTop; ++y)
            ASSERT_EQ(std::memcmp(sheet.at(left, top + y), &scene[y * w * 3], w * 3), 0)
                << "scene " << i + 1 << " row " << y;
        int labelled = 0;
        for (int y = labelTop; y < h; ++y)
            labelled += std::memcmp(sheet.at(left, top + y), &scene[y * w * 3], w * 3) != 0;
        EXPECT_GT(labelled, kGlyphHeight - 1) << "scene " << i + 1 << " has no label";
    }
    // The gaps between tiles are a plain grey.
    for (int y = 0; y < sheet.height; ++y)
        EXPECT_EQ(sheet.at(w, y)[0], 64) << y;
}

TEST(BitmapFont, LabelsAtAndBeyondTheEdgesAreCutNotOverrun)
{
    // Over the top left corner: what is inside is drawn where it belongs.
    RgbImage corner(20, 10, 200);
    drawLabel(corner, -2, -2, "1", 1);
    for (int y = 0; y <= 4; ++y)
        EXPECT_EQ(corner.at(0, y)[0], 255) << "the stem of the 1, row " << y;
    EXPECT_EQ(corner.at(1, 4)[0], 255);  // its foot
    EXPECT_EQ(corner.at(1, 3)[0], 50);   // the box beside the stem
    EXPECT_EQ(corner.at(5, 0)[0], 200);  // right of the box
    EXPECT_EQ(corner.at(0, 7)[0], 200);  // below it

    // Over the right edge: a row that ran on would land in the next row's
    // left columns.
    RgbImage right(20, 10, 200);
    drawLabel(right, 15, 2, "120832 ms", 1);
    for (int y = 0; y < right.height; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(right.at(x, y)[0], 200) << x << "," << y;
    EXPECT_EQ(right.at(17, 2)[0], 255);  // the top of the 1
    EXPECT_EQ(right.at(19, 0)[0], 50);   // the box, up to the edge

    // Wholly outside: nothing changes.
    RgbImage outside(20, 10, 200);
    drawLabel(outside, 500, 500, "x", 1);
    drawLabel(outside, -100, -100, "scene", 3);
    EXPECT_EQ(outside.pixels, RgbImage(20, 10, 200).pixels);
}

TEST(BitmapFont, TheLabelSitsOnADarkBoxOfItsOwnWidth)
{
    RgbImage image(60, 20, 200);
    drawLabel(image, 4, 4, "12", 1);
    const int right = 4 + labelWidth("12", 1);  // 11 pixels on
    EXPECT_EQ(right, 15);
    EXPECT_EQ(image.at(2, 2)[0], 50);            // the box, two pixels round
    EXPECT_EQ(image.at(right + 1, 12)[0], 50);
    EXPECT_EQ(image.at(right + 2, 12)[0], 200);  // beyond it, untouched
    EXPECT_EQ(image.at(4, 13)[0], 200);          // below it
    EXPECT_EQ(image.at(6, 4)[0], 255);           // the top of the "1"
}
