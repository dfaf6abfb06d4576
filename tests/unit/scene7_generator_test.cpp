// Scene 7 draws its layout from its own copy of glibc's generator: the
// layout must not depend on the process's rand() state, the scene must not
// move that state, and the copy must give glibc's sequence on any C library.

#include "glibc_rand.h"
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

TEST(Scene7Generator, FramesLeaveTheProcessGeneratorAlone)
{
    std::srand(77);
    const int first = std::rand();
    std::srand(77);
    SceneCaches caches;
    recordFrame(caches, 88000, 640, 5);
    recordFrame(caches, 88001, 640, 5);
    EXPECT_EQ(std::rand(), first);
}

TEST(Scene7Generator, GivesGlibcSequence)
{
    // glibc's first results after srand(0), which it treats as srand(1).
    GlibcRand zero(0);
    EXPECT_EQ(zero(), 1804289383);
    EXPECT_EQ(zero(), 846930886);
#ifdef __GLIBC__
    for (unsigned seed : {0u, 12345u, 0x80000000u, 0xffffffffu}) {
        GlibcRand ours(seed);
        std::srand(seed);
        for (int i = 0; i < 5000; ++i)
            ASSERT_EQ(ours(), std::rand()) << "seed " << seed << " draw " << i;
    }
#endif
}
