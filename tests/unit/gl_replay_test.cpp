#include "gl_replay.h"
#include "recorded_frame.h"

#include <gtest/gtest.h>

#include <set>

// A replayed call must hand every argument back with the type and value it
// was recorded with, or a replayed frame is not the frame.
TEST(GlReplay, ReplayingARecordingRecordsTheSameCalls)
{
    GlRecorder recorded;
    initializeContext(recorded);
    resizeContext(recorded, 1280, 720);
    SceneCaches caches;
    paintFrame(recorded, Frame{16128, pointStep(720), 1280, 720}, caches);

    GlRecorder replayed;
    std::set<GlOp> ops;
    for (const GlCall &c : recorded.calls) {
        replayCall(replayed, c);
        ops.insert(c.op);
    }
    EXPECT_EQ(replayed.calls, recorded.calls);
    EXPECT_EQ(ops.size(), 17u) << "the frame should make every kind of call";
}
