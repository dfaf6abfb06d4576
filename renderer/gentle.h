#pragma once

// The gentle picture: the scenes as they are, in their colours and light,
// with what makes flashes and rapid changes of light taken out. Like the
// normal picture it is a pure function of the frame (Frame::gentle), so
// seeking and capture stay exact. Computed in double, so that every build
// draws the same gentle picture.

#include "scene_kit.h"
#include "timeline.h"

namespace gentle {

// How long a gentle beat pulse takes to rise to its peak.
constexpr double kAttackMs = 150;

// A beat pulse that rises smoothly over kAttackMs after the beat and falls
// smoothly to nothing by the next one, where the normal pulse jumps to its
// peak on the beat: 0 to 1 and back with no step anywhere, 0 before the
// grid starts.
inline double pulse(std::int32_t t, const BeatGrid &grid)
{
    const double elapsed = (t - static_cast<double>(grid.origin)) / grid.period();
    if (elapsed < 0)
        return 0;
    const double u = elapsed - static_cast<long long>(elapsed);
    const double attack = kAttackMs / grid.period();
    const auto smooth = [](double x) { return x * x * (3 - 2 * x); };
    return u < attack ? smooth(u / attack) : smooth((1 - u) / (1 - attack));
}

// Spin rates times `factor`: lines sweep across fewer pixels a frame.
constexpr kit::SpinRates slowed(double factor, kit::SpinRates rates = kit::kStandardRates)
{
    return {rates.x * factor, rates.y * factor, rates.z * factor};
}

// The spin of the scenes that turn at the standard rates and then scale:
// `factor` times as fast. Returns the x angle, as kit::spin does.
template <class Gl>
double spin(Gl &gl, std::int32_t t, kit::Vec3 translation, kit::Vec3 scale, double factor)
{
    const double xAngle = kit::spin(gl, t, translation, slowed(factor));
    gl.scalef(scale.x, scale.y, scale.z);
    return xAngle;
}

// The colours' time phases at scene time t, as the standard spin gives
// them, whatever the scene's gentle spin, with the fastest term (P3, 28
// times P1, about three turns a second) slowed to kFastColour of its pace.
constexpr double kFastColour = 0.25;

inline kit::TimePhases phases(std::int32_t t)
{
    const double p1 = kit::standardXAngle(t) / 360 * 2 * kit::kPi;
    return {static_cast<float>(p1), static_cast<float>(p1 * 6),
            static_cast<float>(p1 * 28 * kFastColour)};
}

} // namespace gentle
