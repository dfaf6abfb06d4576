#pragma once

#include "timeline.h"

#include <cstdint>

// Scene n's time window, [start, end).
struct SceneWindow {
    std::int32_t start, end;

    std::int32_t middle() const { return start + (end - start) / 2; }
};

inline SceneWindow sceneWindow(int scene)
{
    return {scene == 1 ? 0 : kSceneEnds[scene - 2], kSceneEnds[scene - 1]};
}
