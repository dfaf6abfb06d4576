#pragma once

// The demo's timeline: when each scene runs and the beat grid it pulses on.
// The scenes, the window, the soundtrack, the benchmark and the capture tool
// all take their times from here. Times are whole milliseconds of scene time.

#include <array>
#include <cstdint>

// Scene n runs while the scene time is below kSceneEnds[n - 1]; the window
// closes once playback reaches the last end.
constexpr std::array<std::int32_t, 9> kSceneEnds{8100, 24156, 40115, 56334, 64313,
                                                 80272, 96359, 112600, 129064};
constexpr std::int32_t kTimelineEnd = kSceneEnds.back();
constexpr int kSceneCount = static_cast<int>(kSceneEnds.size());

// A scene's time window, [start, end).
struct SceneWindow {
    std::int32_t start, end;

    constexpr std::int32_t length() const { return end - start; }
    constexpr std::int32_t middle() const { return start + length() / 2; }
};

// Scene 1 to 9.
constexpr SceneWindow sceneWindow(int scene)
{
    return {scene == 1 ? 0 : kSceneEnds[scene - 2], kSceneEnds[scene - 1]};
}

// 1 to 9, or 0 at and after the end of the timeline.
constexpr int sceneAt(std::int32_t t)
{
    for (std::size_t i = 0; i < kSceneEnds.size(); ++i)
        if (t < kSceneEnds[i])
            return static_cast<int>(i) + 1;
    return 0;
}

// `beats` beats spread evenly over `length` ms from `origin`, beat 0 on the
// origin. A scene that computes in float converts origin and length where
// it uses them; both are exact in a float.
struct BeatGrid {
    std::int32_t origin;
    std::int32_t length;
    int beats;

    constexpr double period() const { return static_cast<double>(length) / beats; }
};

namespace timeline_grids {

// A grid that spans the scene's own window.
constexpr BeatGrid spanning(int scene, int beats)
{
    return {sceneWindow(scene).start, sceneWindow(scene).length(), beats};
}

// The common pulse: 32 beats over scene 3's length, starting `delay` ms
// into the scene.
constexpr BeatGrid pulse(int scene, std::int32_t delay = 0)
{
    return {sceneWindow(scene).start + delay, sceneWindow(3).length(), 32};
}

} // namespace timeline_grids

// Scene n's picture and music pulse on kSceneBeats[n - 1].
constexpr std::array<BeatGrid, kSceneCount> kSceneBeats{
    timeline_grids::spanning(1, 16),  // the music alone: the logo does not pulse
    timeline_grids::spanning(2, 32),  // the title throbs on every beat
    timeline_grids::pulse(3),         // the cube pulses flat
    timeline_grids::spanning(2, 32),  // scene 2's grid: the noise lines switch on its beats
    timeline_grids::pulse(5),         // the far rim turns once in half the grid's length
    timeline_grids::pulse(6),         // the band snaps narrow
    timeline_grids::pulse(7, 40),     // the bundle jumps apart, from 40 ms in
    timeline_grids::pulse(8, 20),     // the sphere swells, from 20 ms in
    timeline_grids::spanning(9, 32),  // the music only; the picture fades over the window
};

constexpr BeatGrid sceneBeats(int scene)
{
    return kSceneBeats[scene - 1];
}
