// Scene 9: a tightly wound sphere spiral that fades, band and all, to black
// at the very end of the timeline.

#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

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
    kit::pointWalk(2000, f.step, [&](float, double s) {
        const kit::ColourInputs in = kit::circleInputs(s);
        const double polar = kit::polarAngle(s, 0.0025);
        const double azimuth = polar * static_cast<ext>(120);
        kit::paletteColour(gl, kit::paletteValue(in.m, in.n, phases), 0.98, 0.74, 0.3, fade);
        const kit::Vec3 p = kit::spherePoint(polar, azimuth);
        gl.vertex3f(p.x, p.y, p.z);
    });
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawFadingSpiral)
