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
        const std::string &name = run.run_name.function_name;
        const auto real = run.counters.find("real_ms");
        const auto floor = run.counters.find("floor_ms");
        if (real != run.counters.end() && floor != run.counters.end())
            glMs[name] = {real->second.value, floor->second.value};
        else
            ms[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
    }
}

void BenchTables::print(const std::string &glRenderer) const
{
    const auto cell = [&](const std::string &name) {
        const auto it = ms.find(name);
        if (it == ms.end())
            return std::string("-");
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", it->second);
        return std::string(text);
    };

    std::printf("\nFrame preparation through the null call layer, ms of CPU time per frame, one core\n");
    std::printf("%-6s %-7s", "scene", "time");
    for (const BenchSize &size : kPrepareSizes)
        std::printf(" %12s", size.label);
    std::printf(" %12s  goal %.1f ms at %s\n", "4K resizing", kPrepareGoalMs, kPrepareSizes[2].label);
    for (int scene = 1; scene <= 9; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        for (const BenchSize &size : kPrepareSizes)
            std::printf(" %12s", cell(prepareName(scene, size)).c_str());
        std::printf(" %12s", cell(resizingName(scene)).c_str());
        const auto largest = ms.find(prepareName(scene, kPrepareSizes[2]));
        std::printf("  %s\n", largest == ms.end() ? "-" : verdict(largest->second <= kPrepareGoalMs));
    }

    std::printf("\nGL frame at %dx%d on %s, 4x multisampled, glFinish included, ms of wall time, median of %d\n",
                kGlSize.width, kGlSize.height, glRenderer.c_str(), kGlFrames);
    std::printf("%-6s %-7s %10s %10s %10s  goal %.2f x floor\n", "scene", "time", "real", "floor",
                "ratio", kGlGoalRatio);
    for (int scene = 1; scene <= 9; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        const auto it = glMs.find(glName(scene));
        if (it == glMs.end()) {
            std::printf(" %10s %10s %10s  -\n", "-", "-", "-");
            continue;
        }
        const auto [real, floor] = it->second;
        std::printf(" %10.3f %10.3f %10.3f  %s\n", real, floor, real / floor,
                    verdict(real / floor <= kGlGoalRatio));
    }
}
