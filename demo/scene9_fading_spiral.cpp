// Scene 9: a tightly wound sphere spiral that fades, band and all, to black
// at the very end of the timeline.

#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"
#include "step_memo.h"

namespace {

// One point of the spiral and its colour's palette angles.
struct SpiralPoint {
    kit::PaletteAngles colour;
    kit::Vec3 p;
};

const std::vector<SpiralPoint> &spiralPoints(float step)
{
    static StepMemo<SpiralPoint> memo;
    return memo.entriesFor(step, [](float step, std::vector<SpiralPoint> &points) {
        kit::pointWalk(2000, step, [&](float, double s) {
            const kit::ColourInputs in = kit::circleInputs(s);
            const double polar = kit::polarAngle(s, 0.0025);
            const double azimuth = polar * static_cast<ext>(120);
            points.push_back({kit::paletteAngles(in.m, in.n), kit::spherePoint(polar, azimuth)});
        });
    });
}

} // namespace

template <class Gl>
void drawFadingSpiral(Gl &gl, const Frame &f)
{
    const float progress = (f.t - static_cast<ext>(112600.0f)) / 16464.0f;
    const double fade = 1 - static_cast<ext>(progress);

    kit::sceneFrame(gl, 0.3 * static_cast<ext>(fade), 0.13 * static_cast<ext>(fade),
                    0.15 * static_cast<ext>(fade), kit::horizontalBand(0.3, 0.4, f.width, f.height));
    const double xAngle = kit::spin(gl, f.t, {0, 0, -3}, kit::Vec3{0.9f, 0.9f, 0.9f});
    gl.begin(GL_LINE_STRIP);
    const kit::TimePhases phases = kit::timePhases(xAngle);
    for (const SpiralPoint &point : spiralPoints(f.step)) {
        kit::paletteColour(gl, kit::paletteValue(point.colour, phases), 0.98, 0.74, 0.3, fade);
        gl.vertex3f(point.p.x, point.p.y, point.p.z);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawFadingSpiral)
