// ostre3-bench: what a frame of each scene costs. Preparation through the
// null call layer is the scenes' own work; the GL frame on headless Mesa is
// set beside the same frame drawn from vertex arrays built beforehand.

#include "array_drawer.h"
#include "bench_names.h"
#include "bench_tables.h"
#include "cli.h"
#include "flash_counter.h"
#include "frame_preparation.h"
#include "offscreen_gl.h"
#include "timeline.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

void reportFrames(benchmark::State &state, const std::string &kind, std::vector<double> ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    state.counters[kind + "_min"] = ms.front();
    state.counters[kind + "_median"] = ms[ms.size() / 2];
}

template <class SizeOfFrame>
void prepareFrames(benchmark::State &state, int scene, SizeOfFrame sizeOfFrame)
{
    FramePreparation frames(scene);
    std::vector<double> frameMs;
    for (auto _ : state) {
        const BenchSize size = sizeOfFrame();
        frameMs.push_back(frames.next(size.width, size.height));
    }
    reportFrames(state, kPrepareFrames, std::move(frameMs));
}

void prepare(benchmark::State &state, int scene, BenchSize size)
{
    prepareFrames(state, scene, [size] { return size; });
}

void prepareResizing(benchmark::State &state, int scene)
{
    BenchSize size = kPrepareSizes[2];
    prepareFrames(state, scene, [&size] {
        size.height ^= 1;  // 2161 and 2160 in turn
        return size;
    });
}

// One GL context for every GL benchmark; null, with the reason, without GL.
OffscreenGl *offscreen(std::string &error)
{
    static std::string why;
    static const std::unique_ptr<OffscreenGl> gl = OffscreenGl::create(kGlSize.width, kGlSize.height, why);
    error = why;
    return gl.get();
}

// The GL context, or null with the benchmark skipped.
OffscreenGl *offscreenOrSkip(benchmark::State &state)
{
    std::string error;
    OffscreenGl *gl = offscreen(error);
    if (!gl)
        state.SkipWithError(error.c_str());
    return gl;
}

// Wall time, the CPU time of the whole process (Mesa rasterizes on threads
// of its own) and that of the drawing thread alone.
struct FrameTimes {
    std::vector<double> wallMs, cpuMs, threadMs;

    template <class Draw>
    void time(Draw draw)
    {
        const double wall = clockMs(CLOCK_MONOTONIC);
        const double cpu = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        const double thread = clockMs(CLOCK_THREAD_CPUTIME_ID);
        draw();
        threadMs.push_back(clockMs(CLOCK_THREAD_CPUTIME_ID) - thread);
        cpuMs.push_back(clockMs(CLOCK_PROCESS_CPUTIME_ID) - cpu);
        wallMs.push_back(clockMs(CLOCK_MONOTONIC) - wall);
    }
};

// Times frames of `a` and `b` in turn, one of each per iteration; taking
// turns at going first cancels a drift in the machine's load. The first
// frames, which compile Mesa's shaders for the scene's state, go untimed.
template <class DrawA, class DrawB>
void takeTurns(benchmark::State &state, DrawA a, DrawB b, FrameTimes &aTimes, FrameTimes &bTimes)
{
    a();
    b();
    bool aFirst = true;
    for (auto _ : state) {
        if (aFirst)
            aTimes.time(a);
        bTimes.time(b);
        if (!aFirst)
            aTimes.time(a);
        aFirst = !aFirst;
    }
}

// The scene's frame through GL and the same frame from prebuilt arrays, in
// turn, so that both see the same load on a shared machine.
void glFrame(benchmark::State &state, int scene)
{
    OffscreenGl *gl = offscreenOrSkip(state);
    if (!gl)
        return;
    const std::int32_t t = sceneWindow(scene).middle();
    GlRecorder recorder;
    DrawingSurface surface;
    surface.resize(recorder, kGlSize.width, kGlSize.height);
    recorder.calls.clear();  // the offscreen context is sized already
    surface.draw(recorder, t);
    const ArrayDrawer arrays(toArrays(recorder.calls));
    if (!arrays.ok()) {
        state.SkipWithError("this GL has no vertex buffers");
        return;
    }
    const auto real = [&] { gl->draw(t); };
    const auto floor = [&] {
        gl->bindTarget();
        arrays.draw();
        glFinish();
    };
    FrameTimes realTimes, floorTimes;
    takeTurns(state, real, floor, realTimes, floorTimes);
    reportFrames(state, kRealFrames, std::move(realTimes.wallMs));
    reportFrames(state, kFloorFrames, std::move(floorTimes.wallMs));
    reportFrames(state, kRealCpuFrames, std::move(realTimes.cpuMs));
    reportFrames(state, kFloorCpuFrames, std::move(floorTimes.cpuMs));
    reportFrames(state, kRealThreadFrames, std::move(realTimes.threadMs));
    reportFrames(state, kFloorThreadFrames, std::move(floorTimes.threadMs));
}

// The scene's normal and gentle GL frames, in turn: what the gentle
// picture costs on top.
void gentleFrame(benchmark::State &state, int scene)
{
    OffscreenGl *gl = offscreenOrSkip(state);
    if (!gl)
        return;
    const std::int32_t t = sceneWindow(scene).middle();
    const auto normal = [&] {
        gl->setGentle(false);
        gl->draw(t);
    };
    const auto gentle = [&] {
        gl->setGentle(true);
        gl->draw(t);
    };
    FrameTimes normalTimes, gentleTimes;
    takeTurns(state, normal, gentle, normalTimes, gentleTimes);
    gl->setGentle(false);
    reportFrames(state, kRealCpuFrames, std::move(normalTimes.cpuMs));
    reportFrames(state, kGentleCpuFrames, std::move(gentleTimes.cpuMs));
}

// What counting a frame's flashes costs, on frames of scene 7 (dense lines
// that move every frame) at the GL size, 60 fps: the capture tool's
// analysis on top of rendering.
void countFlashes(benchmark::State &state)
{
    OffscreenGl *gl = offscreenOrSkip(state);
    if (!gl)
        return;
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < kFlashFrames; ++i)
        frames.push_back(gl->render(sceneWindow(7).middle() + i * 1000 / 60));
    FlashCounter counter(kGlSize.width, kGlSize.height, 60);
    std::vector<double> ms;
    std::size_t next = 0;
    for (auto _ : state) {
        const double start = clockMs(CLOCK_THREAD_CPUTIME_ID);
        benchmark::DoNotOptimize(counter.add(frames[next].data()));
        ms.push_back(clockMs(CLOCK_THREAD_CPUTIME_ID) - start);
        next = (next + 1) % frames.size();
    }
    reportFrames(state, kFlashFramesKind, std::move(ms));
}

void registerAll()
{
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        for (const BenchSize &size : kPrepareSizes)
            benchmark::RegisterBenchmark(prepareName(scene, size).c_str(), prepare, scene, size)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
        benchmark::RegisterBenchmark(resizingName(scene).c_str(), prepareResizing, scene)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.3);
    }
    for (int scene = 1; scene <= kSceneCount; ++scene)
        benchmark::RegisterBenchmark(glName(scene).c_str(), glFrame, scene)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(kGlFrames);
    for (int scene = 1; scene <= kSceneCount; ++scene)
        benchmark::RegisterBenchmark(gentleName(scene).c_str(), gentleFrame, scene)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(kGlFrames);
    benchmark::RegisterBenchmark(kFlashName, countFlashes)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(4 * kFlashFrames);
}

std::string glRenderer()
{
    std::string error;
    if (!offscreen(error))
        return "no GL (" + error + ")";
    const auto *name = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    return name ? name : "an unnamed GL";
}

} // namespace

int main(int argc, char **argv)
{
    if (printVersionIfAsked("ostre3-bench", argc, argv))
        return 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    registerAll();
    BenchTables tables;
    benchmark::RunSpecifiedBenchmarks(&tables);
    tables.print(glRenderer());
    benchmark::Shutdown();
    return 0;
}
