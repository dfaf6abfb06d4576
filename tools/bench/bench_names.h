#pragma once

#include <string>

struct BenchSize {
    int width, height;
    const char *label;
};

inline constexpr BenchSize kPrepareSizes[] = {
    {1280, 720, "1280x720"}, {1920, 1080, "1920x1080"}, {3840, 2160, "3840x2160"}};
inline constexpr BenchSize kGlSize{1920, 1080, "1920x1080"};
// Pairs of GL frames per scene; their medians are reported.
inline constexpr int kGlFrames = 9;

inline std::string prepareName(int scene, const BenchSize &size)
{
    return "prepare/scene" + std::to_string(scene) + "/" + size.label;
}

// The largest size with the height changing every frame, so that nothing
// computed for one size serves the next frame.
inline std::string resizingName(int scene)
{
    return "prepare/scene" + std::to_string(scene) + "/3840x2160-resizing";
}

// The real frame and its floor, drawn in turn.
inline std::string glName(int scene)
{
    return "gl/scene" + std::to_string(scene);
}
