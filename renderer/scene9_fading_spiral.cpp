// Scene 9: a tightly wound sphere spiral that fades, band and all, to black
// at the very end of the timeline.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

namespace {

// Gentle: the spiral turns at 0.15 of its speed, so its tight windings do
// not shimmer.
constexpr double kGentleSpin = 0.15;

// The azimuth turns 120 times as fast as the polar angle.
const std::vector<kit::SpiralPoint> &spiralPoints(StepMemo<kit::SpiralPoint> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<kit::SpiralPoint> &points) {
        kit::sphereSpiral(2000, step, 0.0025, [](double, double polar) -> double {
            return polar * static_cast<WideFloat>(120);
        }, points);
    });
}

} // namespace

template <class Gl>
void drawFadingSpiral(Gl &gl, const Frame &f, SceneCaches &caches)
{
    const SceneWindow window = sceneWindow(9);
    const float start = static_cast<float>(window.start);
    const float progress = (f.t - static_cast<WideFloat>(start)) / static_cast<float>(window.length());
    const double fade = 1 - static_cast<WideFloat>(progress);

    kit::sceneFrame(gl, 0.3 * static_cast<WideFloat>(fade), 0.13 * static_cast<WideFloat>(fade),
                    0.15 * static_cast<WideFloat>(fade), kit::horizontalBand(0.3, 0.4, f.width, f.height));
    const kit::Vec3 scale{0.9f, 0.9f, 0.9f};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0, 0, -3}, scale);
    gl.begin(GL_LINE_STRIP);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    for (const kit::SpiralPoint &spiral : spiralPoints(caches.fadingSpiral, f.step)) {
        kit::paletteColour(gl, kit::paletteValue(spiral.colour, phases), 0.98, 0.74, 0.3, fade);
        gl.vertex3f(spiral.point.x, spiral.point.y, spiral.point.z);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawFadingSpiral)
