#include "recorded_frame.h"
#include "scenes.h"
#include "timeline.h"
#include "trace_diff.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using SceneRoutine = void (*)(GlRecorder &, const Frame &, SceneCaches &);

// The scenes in the order a viewer sees them, with the times at which the
// demo's scene list says each one comes on screen; the last ends at 129064.
struct ShownScene {
    std::int32_t start;
    SceneRoutine draw;
};

constexpr ShownScene kShown[] = {
    {0, drawExtrudedLogo<GlRecorder>},       {8100, drawBurstAndTitle<GlRecorder>},
    {24156, drawSunburstCube<GlRecorder>},   {40115, drawNoiseLinesAndCone<GlRecorder>},
    {56334, drawTwistingCylinder<GlRecorder>}, {64313, drawDoublePyramid<GlRecorder>},
    {80272, drawRandomBundle<GlRecorder>},   {96359, drawRaySphere<GlRecorder>},
    {112600, drawFadingSpiral<GlRecorder>},
};
constexpr std::int32_t kEnd = 129064;

std::vector<GlCall> drawnBy(SceneRoutine draw, std::int32_t t)
{
    GlRecorder gl;
    SceneCaches caches;
    draw(gl, Frame{t, pointStep(3), 64, 3}, caches);
    return gl.calls;
}

} // namespace

// The pane shows each scene from its first millisecond to the one before
// the next scene's, and scene 1 at any time before the start as well.
TEST(SceneTable, EachSceneIsOnScreenFromItsStartUntilTheNextOne)
{
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    for (std::size_t i = 0; i < std::size(kShown); ++i) {
        const std::int32_t from = i == 0 ? min : kShown[i].start;
        const std::int32_t to = (i + 1 < std::size(kShown) ? kShown[i + 1].start : kEnd) - 1;
        for (std::int32_t t : {from, kShown[i].start, to}) {
            EXPECT_EQ(sceneAt(t), int(i) + 1) << "t " << t;
            const std::string diff =
                firstDifferences(traceLines(drawnBy(kShown[i].draw, t)), traceLines(recordFrame(t, 64, 3)));
            EXPECT_TRUE(diff.empty()) << "at t " << t << " the pane differs from scene " << i + 1 << ":\n"
                                      << diff;
        }
    }
    EXPECT_EQ(sceneAt(kEnd), 0);
    EXPECT_EQ(sceneAt(std::numeric_limits<std::int32_t>::max()), 0);
}

TEST(SceneTable, NothingIsDrawnAtOrPastTheEnd)
{
    EXPECT_FALSE(recordFrame(129063, 640, 480).empty());
    EXPECT_TRUE(recordFrame(129064, 640, 480).empty());
    EXPECT_TRUE(recordFrame(std::numeric_limits<std::int32_t>::max(), 640, 480).empty());
}

TEST(PaneSetup, ProjectionAndPointStepFollowTheHeight)
{
    GlRecorder gl;
    initializeContext(gl);
    EXPECT_EQ(gl.calls, std::vector<GlCall>{call(GlOp::Enable, GL_DEPTH_TEST)});

    gl.calls.clear();
    resizeContext(gl, 1920, 1080);
    EXPECT_EQ(gl.calls, (std::vector<GlCall>{
                            call(GlOp::Viewport, 0, 0, 1920, 1080),
                            call(GlOp::MatrixMode, GL_PROJECTION),
                            call(GlOp::LoadIdentity),
                            call(GlOp::Perspective, 45, 1920.0 / 1080, 0.01, 100),
                            call(GlOp::MatrixMode, GL_MODELVIEW),
                        }));
    EXPECT_FLOAT_EQ(pointStep(1080), 0.2037037f);
    EXPECT_FLOAT_EQ(pointStep(768), 0.2864583f);
}

TEST(PaneSetup, ZeroHeightIsTreatedAsOneRow)
{
    GlRecorder gl;
    resizeContext(gl, 640, 0);
    EXPECT_EQ(pointStep(0), 220.0f);
    EXPECT_EQ(gl.calls[0], call(GlOp::Viewport, 0, 0, 640, 0));
    EXPECT_EQ(gl.calls[3], call(GlOp::Perspective, 45, 640, 0.01, 100));
}
