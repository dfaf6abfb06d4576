#pragma once

#include <array>
#include <cstdint>

// Scene n runs while the scene time is below kSceneEnds[n - 1]; the window
// closes once playback reaches the last end.
constexpr std::array<std::int32_t, 9> kSceneEnds{8100, 24156, 40115, 56334, 64313,
                                                 80272, 96359, 112600, 129064};
constexpr std::int32_t kTimelineEnd = kSceneEnds.back();

// 1 to 9, or 0 at and after the end of the timeline.
constexpr int sceneAt(std::int32_t t)
{
    for (std::size_t i = 0; i < kSceneEnds.size(); ++i)
        if (t < kSceneEnds[i])
            return static_cast<int>(i) + 1;
    return 0;
}
