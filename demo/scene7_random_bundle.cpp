// Scene 7: a bundle of lines between random points of the planes z = -1 and
// z = +1. Reseeding every frame keeps the layout still; each beat throws every
// end point off by its own random offset, and it settles back cubically.

#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

#include <cmath>
#include <cstdlib>

namespace {

// One rand() result as -1.00 .. 0.99 in steps of 0.01.
float randomValue()
{
    return (std::rand() % 200 - 100) * static_cast<ext>(0.01);
}

// Four rand() results, in this order: angle, radius, x jitter, y jitter.
kit::Vec3 randomEnd(float pulse, float z)
{
    const float angle = randomValue();
    const float radius = randomValue();
    const float jitterX = randomValue();
    const float jitterY = randomValue();
    const double direction = angle * static_cast<ext>(kit::kTwoPi);
    const float sine = std::sin(direction);
    const float cosine = std::cos(direction);
    return {static_cast<float>(radius * static_cast<ext>(sine) + pulse * static_cast<ext>(jitterX)),
            static_cast<float>(radius * static_cast<ext>(cosine) + pulse * static_cast<ext>(jitterY)),
            z};
}

} // namespace

template <class Gl>
void drawRandomBundle(Gl &gl, const Frame &f)
{
    // The beat starts 40 ms into the scene; before it the phase exceeds 1.
    const ext phase = kit::beat(f.t, 80312.0f, 15959.0f).phase;
    const float pulse = phase * ((phase * phase) * static_cast<ext>(0.8));

    kit::sceneFrame(gl, 0.12, 0.08, 0.21, kit::horizontalBand(0.1, 0.8, f.width, f.height));
    const double xAngle = kit::spin(gl, f.t, {0, 0, -3}, kit::Vec3{0.8f, 0.8f, 0.8f});
    std::srand(0);
    gl.begin(GL_LINES);
    const kit::TimePhases phases = kit::timePhases(xAngle);
    kit::pointWalk(2000, f.step, [&](float, double s) {
        const kit::ColourInputs in = kit::circleInputs(s);
        kit::paletteColour(gl, kit::paletteValue(in.m, in.n, phases), 0.9, 0.5, 0.7);
        const kit::Vec3 back = randomEnd(pulse, -1);
        gl.vertex3f(back.x, back.y, back.z);
        const kit::Vec3 front = randomEnd(pulse, 1);
        gl.vertex3f(front.x, front.y, front.z);
    });
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawRandomBundle)
