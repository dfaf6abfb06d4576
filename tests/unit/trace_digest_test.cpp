// Every scene's trace at its edges, beat and growth edges and a few inner
// times, at heights from 1 to 2160 and before the first resize, against
// digests recorded from the scenes before any of them kept work between
// frames. Scene 7's digests follow glibc's rand sequence, which the scene
// carries itself.

#include "recorded_frame.h"
#include "trace_digest.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

namespace {

struct TraceCase {
    std::int32_t t;
    int width, height;
    bool resized;
    std::uint64_t digest;
};

constexpr TraceCase kCases[] = {
#include "trace_digests.inc"
};

// The line to put in trace_digests.inc if the picture is meant to change.
std::string dataLine(const TraceCase &c, std::uint64_t digest)
{
    char line[96];
    std::snprintf(line, sizeof line, "{%d, %d, %d, %s, 0x%016" PRIx64 "u},", c.t, c.width, c.height,
                  c.resized ? "true" : "false", digest);
    return line;
}

} // namespace

TEST(TraceDigest, EveryRecordedFrameIsUnchanged)
{
    SceneCaches caches;
    for (const TraceCase &c : kCases) {
        const std::uint64_t digest = traceDigest(recordFrame(caches, c.t, c.width, c.height, c.resized));
        EXPECT_EQ(digest, c.digest) << "now " << dataLine(c, digest);
    }
}

// Scenes keep work from one frame to the next in their caches; whatever
// order sizes and times come in, each frame must come out as if drawn alone.
TEST(TraceDigest, FramesDoNotDependOnTheFramesBefore)
{
    SceneCaches caches;
    for (auto it = std::rbegin(kCases); it != std::rend(kCases); ++it) {
        const TraceCase &c = *it;
        if (c.height > 768)
            continue;
        EXPECT_EQ(traceDigest(recordFrame(caches, c.t, c.width, c.height, c.resized)), c.digest)
            << dataLine(c, c.digest);
    }
}

TEST(TraceDigest, DigestSeesEveryArgumentBit)
{
    const std::vector<GlCall> zero{call(GlOp::Vertex, 0, 0, 0)};
    const std::vector<GlCall> negativeZero{call(GlOp::Vertex, 0, 0, -0.0)};
    const std::vector<GlCall> colour{call(GlOp::Color, 0, 0, 0)};
    EXPECT_NE(traceDigest(zero), traceDigest(negativeZero));
    EXPECT_NE(traceDigest(zero), traceDigest(colour));
    EXPECT_NE(traceDigest(zero), traceDigest({}));
}
