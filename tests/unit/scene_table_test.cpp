#include "recorded_frame.h"
#include "timeline.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SceneTable, EachSceneOwnsTheMillisecondsBelowItsEnd)
{
    EXPECT_EQ(sceneAt(std::numeric_limits<std::int32_t>::min()), 1);
    EXPECT_EQ(sceneAt(-1), 1);
    EXPECT_EQ(sceneAt(0), 1);
    EXPECT_EQ(sceneAt(8099), 1);
    EXPECT_EQ(sceneAt(8100), 2);
    for (int scene = 2; scene <= 9; ++scene) {
        EXPECT_EQ(sceneAt(kSceneEnds[scene - 2]), scene);
        EXPECT_EQ(sceneAt(kSceneEnds[scene - 1] - 1), scene);
    }
    EXPECT_EQ(sceneAt(129063), 9);
    EXPECT_EQ(sceneAt(129064), 0);
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
