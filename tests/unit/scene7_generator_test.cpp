// Scene 7 draws its random layout once per point step and reseeds the C
// generator every frame: what else calls rand() must neither move the lines
// nor see a generator that depends on which frame drew the layout.

#include "recorded_frame.h"
#include "trace_digest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// From trace_digests.inc: t 88315 at 640x480.
constexpr std::uint64_t kMiddleFrame = 0x58e4399c0b8422f5u;

void stirGenerator(unsigned seed)
{
    std::srand(seed);
    for (int i = 0; i < 1000; ++i)
        std::rand();
}

} // namespace

TEST(Scene7Generator, LayoutIgnoresRandCallsBeforeIt)
{
    SceneCaches caches;
    recordFrame(caches, 88315, 640, 1);
    stirGenerator(12345);
    EXPECT_EQ(traceDigest(recordFrame(caches, 88315, 640, 480)), kMiddleFrame) << "layout drawn";
    stirGenerator(54321);
    EXPECT_EQ(traceDigest(recordFrame(caches, 88315, 640, 480)), kMiddleFrame) << "layout reused";
}

TEST(Scene7Generator, EveryFrameLeavesTheGeneratorFreshlySeeded)
{
    std::srand(0);
    const int first = std::rand();
    SceneCaches caches;
    recordFrame(caches, 88000, 640, 3);
    EXPECT_EQ(std::rand(), first) << "after the frame that drew the layout";
    recordFrame(caches, 88001, 640, 3);
    EXPECT_EQ(std::rand(), first) << "after a frame that reused it";
}
