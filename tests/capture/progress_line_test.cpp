#include "progress_line.h"

#include <gtest/gtest.h>

TEST(ProgressLine, ShowsRateAndTimeLeftOnceThereIsARate)
{
    EXPECT_EQ(formatProgress(0, 7744, 0.0), "frame 0/7744");
    EXPECT_EQ(formatProgress(120, 7744, 40.0), "frame 120/7744  3.0 fps  0:42:21 left");
    EXPECT_EQ(formatProgress(7744, 7744, 2581.0), "frame 7744/7744  3.0 fps  0:00:00 left");
    EXPECT_EQ(formatProgress(1, 129064, 30.0), "frame 1/129064  0.0 fps  1075:31:30 left");
}
