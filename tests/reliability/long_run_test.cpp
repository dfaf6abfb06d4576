// Thousands of frames in one process, across every scene boundary, must not
// grow the process: the scenes keep only what one pane size needs and the
// renderer reuses its buffers.

#include "offscreen_gl.h"

#include <gtest/gtest.h>

#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace {

// Resident size of what is really kept: free heap the allocator holds for
// reuse (Mesa's threads leave some in their arenas) goes back first.
long residentKiB()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

TEST(LongRun, ThreeThousandFramesKeepMemoryFlat)
{
    std::string error;
    auto gl = OffscreenGl::create(320, 180, error);
    ASSERT_TRUE(gl) << error;
    // A first run through the whole timeline lets each scene make what it
    // keeps for this size, and Mesa compile what it draws with; then 3000
    // frames 43 ms apart run through it again.
    for (int i = 0; i < 1000; ++i)
        gl->render(i * 129);
    const long afterWarmUp = residentKiB();
    for (int i = 0; i < 3000; ++i)
        gl->render(i * 43);
    EXPECT_LT(residentKiB() - afterWarmUp, 1024) << "KiB grown after the first run through the timeline";
}
