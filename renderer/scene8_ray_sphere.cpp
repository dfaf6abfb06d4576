// Scene 8: rays from a sphere spiral to the centre, in a narrow vertical
// strip. The scale swells on every beat and shrinks back cubically.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

namespace {

// Gentle: the sphere turns at 0.15 of its speed, so its dense rays do not
// shimmer, and swells by 0.03 on the beat where it swells by 0.2.
constexpr double kGentleSpin = 0.15;
constexpr double kGentleSwell = 0.03;

// The spiral points the rays run from.
const std::vector<kit::SpiralPoint> &rays(StepMemo<kit::SpiralPoint> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<kit::SpiralPoint> &points) {
        // Carried wide up to sin and cos: no rounding to double in between.
        kit::sphereSpiral(4000, step, 0.00064, [](double s, double) -> double {
            return ((kit::kSpiralTwoPi * static_cast<WideFloat>(s)) * 0.00128) * 20.1;
        }, points);
    });
}

} // namespace

template <class Gl>
void drawRaySphere(Gl &gl, const Frame &f, SceneCaches &caches)
{
    kit::sceneFrame(gl, 0.2, 0.23, 0.25, kit::verticalBand(0.35, 0.2, f.width, f.height));

    // The beat starts 20 ms into the scene; before it the phase exceeds 1.
    const WideFloat phase = kit::beat(f.t, sceneBeats(8)).phase;
    const float pulse = f.gentle ? static_cast<float>(gentle::pulse(f.t, sceneBeats(8)) * kGentleSwell)
                                 : static_cast<float>(phase * ((phase * phase) * static_cast<WideFloat>(0.2)));
    const kit::Vec3 scale{static_cast<float>(static_cast<WideFloat>(0.7) + pulse),
                          static_cast<float>(static_cast<WideFloat>(0.9) + pulse),
                          static_cast<float>(static_cast<WideFloat>(0.8) + pulse)};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0.1f, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0.1f, 0, -3}, scale);
    const auto &sphere = rays(caches.sphereRays, f.step);
    kit::raysToCentre(gl, sphere, f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle), 0.68, 0.74, 0.8);
}

INSTANTIATE_FOR_EVERY_GL(drawRaySphere)
