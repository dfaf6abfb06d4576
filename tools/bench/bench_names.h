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
inline constexpr int kGlFrames = 15;

// Each benchmark times every frame on its own and reports, per kind of
// frame, the fastest as "<kind>_min" and the median as "<kind>_median", in
// ms. On a shared machine other processes only ever add to a frame's time,
// so the fastest frame is what the work itself costs.
inline constexpr char kPrepareFrames[] = "prepare";  // CPU time of one preparation
inline constexpr char kRealFrames[] = "real";        // wall time of the GL frame
inline constexpr char kFloorFrames[] = "floor";      // wall time of its floor
inline constexpr char kRealCpuFrames[] = "real_cpu";   // CPU time of the GL frame, all threads
inline constexpr char kFloorCpuFrames[] = "floor_cpu"; // CPU time of its floor, all threads
inline constexpr char kRealThreadFrames[] = "real_thread";   // CPU time of the drawing thread
inline constexpr char kFloorThreadFrames[] = "floor_thread"; // the same for the floor
inline constexpr char kGentleCpuFrames[] = "gentle_cpu"; // CPU time of the gentle GL frame, all threads
inline constexpr char kFlashFramesKind[] = "count";  // CPU time of counting one frame's flashes

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

// The normal frame and the gentle one, drawn in turn (run alone with
// --benchmark_filter=gentle; not in the tables).
inline std::string gentleName(int scene)
{
    return "gentle/scene" + std::to_string(scene);
}

// Counting the flashes of rendered frames (run alone with
// --benchmark_filter=flashes; not in the tables): kFlashFrames frames in turn.
inline constexpr char kFlashName[] = "flashes/scene7";
inline constexpr int kFlashFrames = 16;
