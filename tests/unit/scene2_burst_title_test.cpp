#include "recorded_frame.h"
#include "title_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Box {
    int x, y, w, h;
    bool operator==(const Box &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

// Every scissor box after the band's: the title elements, in drawing order.
std::vector<Box> titleBoxes(std::int32_t t, int w, int h)
{
    std::vector<Box> boxes;
    for (const GlCall &c : callsOf(recordFrame(t, w, h), GlOp::Scissor))
        boxes.push_back({int(c.args[0]), int(c.args[1]), int(c.args[2]), int(c.args[3])});
    boxes.erase(boxes.begin());
    return boxes;
}

constexpr int kCellElements = 5;

} // namespace

TEST(BurstTitle, GlyphTableFillsTwelveColumns)
{
    int columns = 0;
    for (const title::StrokeGlyph &g : title::kStrokeGlyphs) {
        const int n = title::columnCount(g);
        for (const char *row : g.rows)
            EXPECT_EQ(std::string(row).size(), std::size_t(n)) << g.rows[0];
        for (int c = 0; c < n; ++c) {
            bool any = false;
            for (int j = 0; j < title::kQuarters; ++j)
                any = any || title::fills(g, c, j);
            EXPECT_TRUE(any) << "an empty column would read as a gap";
        }
        columns += n;
    }
    EXPECT_EQ(std::size(title::kStrokeGlyphs), 5u);
    EXPECT_EQ(columns, 12);
}

TEST(BurstTitle, ElementRectanglesBetweenBeats)
{
    const std::vector<Box> boxes = titleBoxes(16000, 1920, 1080);
    EXPECT_EQ(boxes.front(), (Box{168, 438, 51, 340}));
    EXPECT_EQ(boxes[1], (Box{219, 438, 51, 85}));   // O: bottom and top of slot 1
    EXPECT_EQ(boxes[2], (Box{219, 693, 51, 85}));
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                            [](Box b) { return b.y == 523 && b.h == 85 && b.w == 51; }));
    const std::vector<Box> digit(boxes.end() - kCellElements, boxes.end());
    EXPECT_EQ(digit, (std::vector<Box>{{1012, 67, 202, 67}, {1147, 135, 67, 67},
                                       {1012, 202, 202, 67}, {1147, 270, 67, 67},
                                       {1012, 337, 202, 67}}));
}

TEST(BurstTitle, ElementRectanglesOnTheFirstAndLastMillisecond)
{
    EXPECT_EQ(titleBoxes(8100, 1920, 1080).front(), (Box{168, 438, 84, 506}));
    EXPECT_EQ(titleBoxes(24155, 1920, 1080).front(), (Box{168, 438, 50, 337}));
    // On the beat the swell of 10 pixels widens rows 0, 2 and 4 of the digit.
    const std::vector<Box> beat = titleBoxes(8100, 1920, 1080);
    EXPECT_EQ(beat[beat.size() - kCellElements], (Box{1012, 57, 202, 77}));
    EXPECT_EQ(beat.back(), (Box{1012, 347, 202, 77}));
}

// Adjacent glyph columns meet or leave a one-pixel seam; only the four gap
// slots between characters leave more.
TEST(BurstTitle, ColumnsMeetOrLeaveOnePixelSeams)
{
    for (int h : {480, 768, 1080, 1201})
        for (std::int32_t t : {8100, 8350, 12000, 16000, 24155}) {
            std::vector<Box> boxes = titleBoxes(t, 1920, h);
            boxes.resize(boxes.size() - kCellElements);
            std::vector<Box> columns;
            for (const Box &b : boxes)
                if (columns.empty() || columns.back().x != b.x)
                    columns.push_back(b);
            ASSERT_EQ(columns.size(), 12u);
            int gaps = 0;
            for (std::size_t i = 1; i < columns.size(); ++i) {
                const int seam = columns[i].x - (columns[i - 1].x + columns[i - 1].w);
                EXPECT_GE(seam, 0) << h << " " << t;
                gaps += seam > 1;
            }
            EXPECT_EQ(gaps, 4) << h << " " << t;
        }
}

TEST(BurstTitle, TitleSizeFollowsTheHeightOnly)
{
    EXPECT_EQ(titleBoxes(16000, 1920, 1080), titleBoxes(16000, 4000, 1080));
    for (const Box &b : titleBoxes(24155, 1440, 1080))
        EXPECT_LE(b.x + b.w, 1215);  // 360 units at rest
}

TEST(BurstTitle, RestoresBlendScissorAndDepthState)
{
    const std::vector<GlCall> calls = recordFrame(16000, 1920, 1080);
    const std::vector<GlCall> tail(calls.end() - 3, calls.end());
    EXPECT_EQ(tail, (std::vector<GlCall>{call(GlOp::Disable, GL_BLEND),
                                         call(GlOp::Disable, GL_SCISSOR_TEST),
                                         call(GlOp::Enable, GL_DEPTH_TEST)}));
    EXPECT_EQ(callsOf(calls, GlOp::BlendFunc),
              (std::vector<GlCall>{call(GlOp::BlendFunc, GL_ONE, GL_ONE)}));
    EXPECT_EQ(callsOf(calls, GlOp::Color).back(), call(GlOp::Color, 0.5f, 0.5f, 0.5f, 1));
}

TEST(BurstTitle, BurstStartsAtTheSpiralPole)
{
    const std::vector<GlCall> calls = recordFrame(16000, 1920, 1080);
    EXPECT_EQ(callsOf(calls, GlOp::Color)[0],
              call(GlOp::Color, 0.84456611f, 0.64456612f, 0.34456614f, 1));
    EXPECT_EQ(callsOf(calls, GlOp::Vertex)[0], call(GlOp::Vertex, 0, 1, 0));
    EXPECT_EQ(callsOf(calls, GlOp::Vertex).size(), 19641u * 2 + 4 * 28);
}
