#include "bitmap_font.h"
#include "contact_sheet.h"
#include "timeline.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ContactSheet, OneTimeFromTheMiddleOfEachScene)
{
    const auto times = contactSheetTimes();
    std::int32_t start = 0;
    for (int i = 0; i < 9; ++i) {
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
    for (int i = 0; i < 9; ++i) {
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
    RgbImage image(20, 10, 200);
    drawLabel(image, -7, -3, "scene 1", 2);
    drawLabel(image, 15, 6, "120832 ms", 3);
    drawLabel(image, 500, 500, "x", 1);
    EXPECT_EQ(image.pixels.size(), 20u * 10 * 3);
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
