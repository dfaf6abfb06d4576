// ostre3's command line.
#include "demo_options.h"
#include "flash_warning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DemoOptions parse(std::vector<const char *> args)
{
    args.insert(args.begin(), "ostre3");
    return parseDemoOptions(static_cast<int>(args.size()), args.data());
}

} // namespace

TEST(DemoOptions, GentleAndAnAudioDelayInEitherFormWithinItsRange)
{
    EXPECT_EQ(parse({}).action, DemoOptions::Action::Play);
    EXPECT_EQ(parse({}).audioDelayMs, 0);
    EXPECT_EQ(parse({"--audio-delay", "200"}).audioDelayMs, 200);
    EXPECT_EQ(parse({"--audio-delay=-1000"}).audioDelayMs, -1000);
    EXPECT_EQ(parse({"--audio-delay=10000"}).audioDelayMs, 10000);
    for (auto bad : std::vector<std::vector<const char *>>{{"--audio-delay"},
                                                           {"--audio-delay", "10001"},
                                                           {"--audio-delay=-1001"},
                                                           {"--audio-delay="},
                                                           {"--audio-delay", "2e2"},
                                                           {"--audio-delay", "99999999999999999999"},
                                                           {"--audio-delayed=5"},
                                                           {"1991.mp3"}}) {
        const DemoOptions options = parse(bad);
        EXPECT_EQ(options.action, DemoOptions::Action::Error) << bad.back();
        EXPECT_FALSE(options.error.empty());
    }
    EXPECT_TRUE(parse({"--gentle", "--audio-delay=5"}).gentle);
    // The help warns as the picture does, next to --gentle.
    EXPECT_NE(std::string(kDemoUsage).find(kFlashWarning), std::string::npos);
    EXPECT_FALSE(parse({"--audio-delay=5"}).gentle);
    EXPECT_EQ(parse({"--audio-delay", "5", "--help"}).action, DemoOptions::Action::Help);
    EXPECT_EQ(parse({"--version"}).action, DemoOptions::Action::Version);
}
