#include "capture_options.h"

#include <gtest/gtest.h>

namespace {

std::optional<CaptureOptions> parse(const std::vector<std::string> &args, std::string &problem)
{
    return parseCaptureOptions(args, problem);
}

std::string problemOf(const std::vector<std::string> &args)
{
    std::string problem;
    EXPECT_FALSE(parse(args, problem)) << "accepted";
    EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    return problem;
}

} // namespace

TEST(CaptureOptions, OutputDecidesTheKindAndRangesDefaultToTheWholeDemo)
{
    std::string problem;
    const auto still = parse({"--time", "120000", "--out", "a.png"}, problem);
    ASSERT_TRUE(still) << problem;
    EXPECT_EQ(still->kind, OutputKind::Still);
    EXPECT_EQ(still->time, 120000);
    EXPECT_EQ(still->size.width, 1920);
    EXPECT_EQ(still->size.height, 1080);

    const auto frames = parse({"--out", "frames/"}, problem);
    ASSERT_TRUE(frames) << problem;
    EXPECT_EQ(frames->kind, OutputKind::Frames);
    EXPECT_EQ(frames->range.from, 0);
    EXPECT_EQ(frames->range.to, 129064);
    EXPECT_EQ(frames->range.fps, 60);

    const auto existingDirectory = parse({"--out", "."}, problem);
    ASSERT_TRUE(existingDirectory) << problem;
    EXPECT_EQ(existingDirectory->kind, OutputKind::Frames);

    const auto video = parse({"--from", "-500", "--to", "9500", "--fps", "24", "--size",
                              "1280x720", "--audio", "song.ogg", "--out", "demo.mp4"},
                             problem);
    ASSERT_TRUE(video) << problem;
    EXPECT_EQ(video->kind, OutputKind::Video);
    EXPECT_EQ(video->range.from, -500);
    EXPECT_EQ(video->range.to, 9500);
    EXPECT_EQ(video->range.fps, 24);
    EXPECT_EQ(video->music, "song.ogg");
    EXPECT_EQ(parse({"--out", "demo.mp4"}, problem)->music, "1991.mp3");

    const auto sheet = parse({"--contact-sheet", "scenes.png"}, problem);
    ASSERT_TRUE(sheet) << problem;
    EXPECT_EQ(sheet->kind, OutputKind::ContactSheet);
    EXPECT_EQ(sheet->out, "scenes.png");
    EXPECT_EQ(sheet->size.width, 640);
    EXPECT_EQ(sheet->size.height, 360);
    EXPECT_FALSE(sheet->gentle);

    const auto flashes = parse({"--from", "6000", "--flashes", "--gentle", "--size", "1280x720",
                                "--heatmap", "maps"},
                               problem);
    ASSERT_TRUE(flashes) << problem;
    EXPECT_EQ(flashes->kind, OutputKind::Flashes);
    EXPECT_TRUE(flashes->gentle);
    EXPECT_EQ(flashes->range.from, 6000);
    EXPECT_EQ(flashes->size.width, 1280);
    EXPECT_EQ(flashes->heatmap, "maps");
    EXPECT_EQ(parse({"--light", "--fps", "6"}, problem)->kind, OutputKind::Light);
}

TEST(CaptureOptions, BadRangesRatesAndSizesAreRefused)
{
    EXPECT_NE(problemOf({"--from", "10", "--to", "10", "--out", "f/"}).find("empty range"),
              std::string::npos);
    problemOf({"--from", "200000", "--out", "f/"});  // past the default end
    problemOf({"--to", "-1", "--out", "f/"});
    problemOf({"--from", "2147483648", "--out", "f/"});
    problemOf({"--fps", "0", "--out", "f/"});
    problemOf({"--fps", "1001", "--out", "f/"});
    problemOf({"--fps", "29.97", "--out", "f/"});
    problemOf({"--size", "0x10", "--out", "f/"});
    EXPECT_NE(problemOf({"--size", "1281x720", "--out", "v.mp4"}).find("even"),
              std::string::npos);
    problemOf({"--size", "4097x2304", "--contact-sheet", "s.png"});
}

TEST(CaptureOptions, OptionsThatDoNotFitTheOutputAreRefused)
{
    problemOf({});
    problemOf({"--time", "0"});                                  // no output
    problemOf({"--out", "a.png"});                               // a still needs its time
    problemOf({"--time", "0", "--out", "f/"});                   // one time for many frames
    problemOf({"--from", "0", "--out", "a.png"});
    problemOf({"--audio", "x.mp3", "--out", "f/"});              // frames have no sound
    problemOf({"--out", "a.png", "--contact-sheet", "s.png"});
    problemOf({"--out", "demo.avi"});
    problemOf({"--out", "f/", "--out", "g/"});
    problemOf({"--out", "f/", "--fast", "1"});
    problemOf({"--out"});
    problemOf({"--out", ""});
    problemOf({"--flashes", "--out", "f/"});                    // an analysis writes nothing
    problemOf({"--flashes", "--contact-sheet", "s.png"});
    problemOf({"--heatmap", "maps", "--out", "f/"});           // pictures of flashes only
    problemOf({"--light", "--gentle"});                         // it draws both pictures
    problemOf({"--light", "--flashes"});
    problemOf({"--gentle", "--out", "f/", "--gentle"});
}
