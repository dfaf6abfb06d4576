// ostre3-prepare-time: how long each scene takes to prepare a frame (all
// its own work, through a call layer that draws nothing), at each scene's
// middle time and three pane sizes. Built both natively and for Node.js,
// so the two figures come from one source. Fastest frame of 200 ms (and
// 20 frames at least), in ms.

#include "null_gl.h"
#include "scene_table.h"
#include "timeline.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

double fastestFrameMs(std::int32_t t, int w, int h)
{
    const float step = pointStep(h);
    NullGl gl;
    SceneCaches caches;
    paintFrame(gl, Frame{t, step, w, h}, caches);  // fills what the scene keeps per size
    // Node.js first runs new WebAssembly code unoptimised, while it compiles
    // it again in the background; a demo that plays for minutes runs the
    // optimised code. So frames repeat for 200 ms, 20 at least.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    double best = 1e30;
    for (int i = 0; i < 20 || std::chrono::steady_clock::now() < until; ++i) {
        const auto start = std::chrono::steady_clock::now();
        paintFrame(gl, Frame{t, step, w, h}, caches);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace

int main()
{
    std::printf("scene t 3840x2160 1920x1080 1280x720\n");
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        const std::int32_t t = sceneWindow(scene).middle();
        std::printf("%d %d", scene, t);
        for (const int h : {2160, 1080, 720})
            std::printf(" %.3f", fastestFrameMs(t, h * 16 / 9, h));
        std::printf("\n");
    }
    return 0;
}
