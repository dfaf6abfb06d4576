#include "bench_tables.h"

#include "bench_names.h"
#include "timeline.h"

#include <cstdio>

namespace {

// Preparation goal at the largest size, and the most a GL frame may exceed its floor by.
constexpr double kPrepareGoalMs = 1.5;
constexpr double kGlGoalRatio = 1.05;

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// Google Benchmark 1.8 turned Run::error_occurred into Run::skipped.
template <class R>
auto notMeasured(const R &run, int) -> decltype(static_cast<bool>(run.skipped))
{
    return static_cast<bool>(run.skipped);
}

template <class R>
bool notMeasured(const R &run, long)
{
    return run.error_occurred;
}

} // namespace

void BenchTables::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (notMeasured(run, 0))
            continue;
        for (const char *kind : {kPrepareFrames, kRealFrames, kFloorFrames, kRealCpuFrames,
                                 kFloorCpuFrames, kRealThreadFrames, kFloorThreadFrames}) {
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
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        for (const BenchSize &size : kPrepareSizes)
            std::printf(" %13s", cell(prepareName(scene, size)).c_str());
        std::printf(" %13s", cell(resizingName(scene)).c_str());
        const Times *largest = find(prepareName(scene, kPrepareSizes[2]), kPrepareFrames);
        std::printf("  %s\n", largest ? verdict(largest->min <= kPrepareGoalMs) : "-");
    }

    std::printf("\nGL frame at %dx%d on %s, 4x multisampled, glFinish included, fastest of %d"
                "\nframes each in ms: wall time, CPU time of all threads (Mesa rasterizes on its"
                "\nown threads), and how much more CPU time the drawing thread spends on the real"
                "\nframe than on the floor. The goal is judged on all threads' CPU time, which"
                "\nother processes on the machine disturb far less than wall time.\n",
                kGlSize.width, kGlSize.height, glRenderer.c_str(), kGlFrames);
    std::printf("%-6s %-7s %9s %9s %7s %9s %9s %7s %8s  goal %.2f x floor\n", "scene", "time", "real",
                "floor", "ratio", "real CPU", "floor CPU", "ratio", "thread+", kGlGoalRatio);
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        std::printf("%-6d %-7d", scene, sceneWindow(scene).middle());
        const std::string name = glName(scene);
        const Times *real = find(name, kRealFrames);
        const Times *floor = find(name, kFloorFrames);
        const Times *realCpu = find(name, kRealCpuFrames);
        const Times *floorCpu = find(name, kFloorCpuFrames);
        const Times *realThread = find(name, kRealThreadFrames);
        const Times *floorThread = find(name, kFloorThreadFrames);
        if (!real || !floor || !realCpu || !floorCpu || !realThread || !floorThread) {
            std::printf(" %9s %9s %7s %9s %9s %7s %8s  -\n", "-", "-", "-", "-", "-", "-", "-");
            continue;
        }
        const double cpuRatio = realCpu->min / floorCpu->min;
        std::printf(" %9.1f %9.1f %7.3f %9.1f %9.1f %7.3f %8.2f  %s\n", real->min, floor->min,
                    real->min / floor->min, realCpu->min, floorCpu->min, cpuRatio,
                    realThread->min - floorThread->min, verdict(cpuRatio <= kGlGoalRatio));
    }
}
