// Scene 5: a line cylinder whose far rim twists through one turn over the
// scene, pinching the side lines into a double cone half-way.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

#include <cmath>

namespace {

// Gentle: the cylinder turns at 0.3 of its speed: its surfaces of lines
// turning edge-on would otherwise change a quarter of a field at once.
constexpr double kGentleSpin = 0.3;

// Inputs are (sin, cos) of the rim angle, so the first number of each pair
// multiplies the rim's y.
constexpr kit::Palette kCylinderPalette{1, 2, 16, 9, 26, 8, 0.25f, 0.15, 0.1};

struct Turn {
    float sin, cos;
};

// One turn in half the length of the scene's grid (about the scene's own
// length), from the grid's origin, its first millisecond.
Turn twistAt(std::int32_t t)
{
    const BeatGrid grid = sceneBeats(5);
    const double angle =
        ((kit::kTwoPi * static_cast<WideFloat>(t - grid.origin)) / static_cast<float>(grid.length)) * 2;
    return {static_cast<float>(std::sin(angle)), static_cast<float>(std::cos(angle))};
}

// The palette angles of a rim point's colour come from (sin, cos) of the
// rim angle.
const std::vector<RimStep> &rimSteps(StepMemo<RimStep> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<RimStep> &steps) {
        kit::pointWalk(1000, step, [&](float, double sum) {
            const double rimAngle = (kit::kTwoPi * static_cast<WideFloat>(sum)) * 0.001;
            const float x = std::cos(rimAngle);
            const float y = std::sin(rimAngle);
            steps.push_back({kit::paletteAngles(y, x, kCylinderPalette), x, y});
        });
    });
}

} // namespace

template <class Gl>
void drawTwistingCylinder(Gl &gl, const Frame &f, SceneCaches &caches)
{
    kit::sceneFrame(gl, 0.12, 0.08, 0.28, kit::horizontalBand(0.1, 0.8, f.width, f.height));
    const kit::Vec3 scale{0.8f, 0.8f, 0.8f};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0.5f, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0.5f, 0, -3}, scale);
    gl.begin(GL_LINES);
    const Turn twist = twistAt(f.t);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    for (const RimStep &rim : rimSteps(caches.rimSteps, f.step)) {
        const float x = rim.x;
        const float y = rim.y;
        // All three lines of a step take the pattern's colour at the near rim.
        const float k = kit::paletteValue(rim.colour, phases, kCylinderPalette);
        const float qx = static_cast<WideFloat>(x) * twist.cos - static_cast<WideFloat>(y) * twist.sin;
        const float qy = static_cast<WideFloat>(y) * twist.cos + static_cast<WideFloat>(x) * twist.sin;
        kit::paletteColour(gl, k, 0.9, 0.7, 1.1);
        gl.vertex3f(0, 0, 1);
        gl.vertex3f(x, y, 1);
        kit::paletteColour(gl, k, 0.7, 0.5, 0.9);
        gl.vertex3f(x, y, 1);
        gl.vertex3f(qx, qy, -1);
        kit::paletteColour(gl, k, 0.5, 0.3, 0.7);
        gl.vertex3f(qx, qy, -1);
        gl.vertex3f(0, 0, -1);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawTwistingCylinder)
