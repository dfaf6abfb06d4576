// Scene 6: a hatched double pyramid in a band that snaps narrow on every beat
// and eases back out, always centred on the middle of the window.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

namespace {

// Gentle: the pyramid turns at 0.3 of its speed, and the band narrows
// smoothly on the beat, to 0.2 where it snaps to 0.5.
constexpr double kGentleSpin = 0.3;
constexpr double kGentlePulse = 0.2;

constexpr kit::Palette kGreenPalette{5, 4, 8, 9, 15, 8, 0.2, 0.15, 0.15};

// Half the cubed beat phase: 0.5 on each beat, falling towards 0 before the next.
float bandPulse(std::int32_t t)
{
    const WideFloat g = kit::beat(t, sceneBeats(6)).phase;
    return (g * g) * static_cast<WideFloat>(0.5f) * g;
}

// Unlike the kit's band, the fractions are never rounded to double: the sums
// keep their 64-bit significand up to the truncation (0.35 * 0.5 + 0.1 lies
// just below 0.275, so 1080 rows give row 296, not 297).
kit::Rect pulsingBand(float pulse, int width, int height)
{
    const WideFloat p = pulse;
    const WideFloat rows = height;
    return {0, static_cast<int>((0.35 * p + 0.1) * rows), width,
            static_cast<int>((-0.7 * p + 0.8) * rows)};
}

const std::vector<HatchStep> &hatchSteps(StepMemo<HatchStep> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<HatchStep> &steps) {
        kit::pointWalk(800, step, [&](float s, double sum) {
            const kit::ColourInputs in = kit::circleInputs(sum);
            // A and B run round the square's perimeter a quarter turn apart,
            // switching to the far edges half-way; both follow the float s.
            const bool nearEdges = 400.0f > s;
            const float side = nearEdges ? 1 : -1;
            const float e = nearEdges ? 0.005 * (s - static_cast<WideFloat>(200.0f))
                                      : 0.005 * (static_cast<WideFloat>(600.0f) - s);
            steps.push_back({kit::paletteAngles(in.halfSine, in.halfCosine, kGreenPalette), side, e});
        });
    });
}

} // namespace

template <class Gl>
void drawDoublePyramid(Gl &gl, const Frame &f, SceneCaches &caches)
{
    const float pulse = f.gentle ? static_cast<float>(gentle::pulse(f.t, sceneBeats(6)) * kGentlePulse)
                                 : bandPulse(f.t);
    kit::sceneFrame(gl, 0.08, 0.38, 0.21, pulsingBand(pulse, f.width, f.height));
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0, 0, -3}, kGentleSpin)
                                   : kit::spin(gl, f.t, {0, 0, -3});
    gl.begin(GL_LINES);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    for (const HatchStep &hatch : hatchSteps(caches.hatchSteps, f.step)) {
        const float k = kit::paletteValue(hatch.colour, phases, kGreenPalette);
        const float side = hatch.side;
        const float e = hatch.edgeOffset;
        kit::paletteColour(gl, k, 0.5, 0.9, 0.7);
        gl.vertex3f(0, 0, -1);
        gl.vertex3f(e, side, 0);
        kit::paletteColour(gl, k, 0.2, 0.6, 0.4);
        gl.vertex3f(0, 0, -1);
        gl.vertex3f(side, -e, 0);
        kit::paletteColour(gl, k, 0.3, 0.7, 0.5);
        gl.vertex3f(e, side, 0);
        gl.vertex3f(0, 0, 1);
        kit::paletteColour(gl, k, 0.6, 1, 0.8);
        gl.vertex3f(side, -e, 0);
        gl.vertex3f(0, 0, 1);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawDoublePyramid)
