#include "bench_tables.h"

#include "bench_names.h"
#include "scene_times.h"

#include <cstdio>

namespace {

// Preparation goal at the largest size, and the most a GL frame may exceed its floor by.
constexpr double kPrepareGoalMs = 1.5;
constexpr double kGlGoalRatio = 1.05;

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

void BenchTables::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        for (const char *kind : {kPrepareFrames, kRealFrames, kFloorFrames}) {
            const auto min = run.counters.find(std::string(kind) + "_min");
            const auto median = run.counters.find(std::string(kind) + "_median");
            if (min != run.counters.end() && median != run.counters.end())
                times[run.run_name.function_name][kind] = {min->second.value, median->second.value};
        }
    }
}

const BenchTables::Times *BenchTables::find(const std::string &benchmark, const char *kind) const
{
    const auto frames = times.find(benchmark);
    if (frames == times.end())
        return nullptr;
    const auto it = frames->second.find(kind);
    return it == frames->second.end() ? nullptr : &it->second;
}

void BenchTables::print(const std::string &glRenderer) const
{
    const auto cell = [&](const std::string &benchmark) {
        const Times *t = find(benchmark, kPrepareFrames);
        if (!t)
            return std::string("-");
        char text[40];
        std::snprintf(text, sizeof text, "%.3f/%.3f", t->min, t->median);
        return std::string(text);
    };

    std::printf("\nFrame preparation through the null call layer at one core, ms of CPU time per frame:"
                "\nfastest/median frame; the goal is judged on the fastest\n");
    std::printf("%-6s %-7s", "scene", "time");
    for (const BenchSize &size : kPrepareSizes)
        std::printf(" %13s", size.label);
    std::printf(" %13s  goal %.1f ms at %s\n", "4K resizing", kPrepareGoalMs, kPrepareSizes[2].label);
    for (int scene = 1; scene <= 9; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        for (const BenchSize &size : kPrepareSizes)
            std::printf(" %13s", cell(prepareName(scene, size)).c_str());
        std::printf(" %13s", cell(resizingName(scene)).c_str());
        const Times *largest = find(prepareName(scene, kPrepareSizes[2]), kPrepareFrames);
        std::printf("  %s\n", largest ? verdict(largest->min <= kPrepareGoalMs) : "-");
    }

    std::printf("\nGL frame at %dx%d on %s, 4x multisampled, glFinish included, ms of wall time:"
                "\nfastest of %d frames each, and the ratio of the medians too\n",
                kGlSize.width, kGlSize.height, glRenderer.c_str(), kGlFrames);
    std::printf("%-6s %-7s %10s %10s %10s %13s  goal %.2f x floor\n", "scene", "time", "real", "floor",
                "ratio", "median ratio", kGlGoalRatio);
    for (int scene = 1; scene <= 9; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        const Times *real = find(glName(scene), kRealFrames);
        const Times *floor = find(glName(scene), kFloorFrames);
        if (!real || !floor) {
            std::printf(" %10s %10s %10s %13s  -\n", "-", "-", "-", "-");
            continue;
        }
        const double ratio = real->min / floor->min;
        std::printf(" %10.3f %10.3f %10.3f %13.3f  %s\n", real->min, floor->min, ratio,
                    real->median / floor->median, verdict(ratio <= kGlGoalRatio));
    }
}
