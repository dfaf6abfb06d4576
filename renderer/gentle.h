#pragma once

// The gentle picture: the scenes as they are, in their colours and light,
// with what makes flashes and rapid changes of light taken out. Like the
// normal picture it is a pure function of the frame (Frame::gentle), so
// seeking and capture stay exact. Computed in double, so that every build
// draws the same gentle picture.

#include "scene_kit.h"
#include "timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

// The time a scene's gentle spin turns by: `factor` times as fast as
// the scene time, and the same in the middle of the scene, so that there
// the gentle picture shows the scene from where the normal one does and
// turns through the views around it.
inline std::int32_t spinTime(std::int32_t t, double factor)
{
    const std::int32_t middle = sceneWindow(std::max(sceneAt(t), 1)).middle();
    return middle + static_cast<std::int32_t>(std::lround((t - middle) * factor));
}

// The standard spin at the gentle spin time; returns the x angle, as
// kit::spin does.
template <class Gl>
double spin(Gl &gl, std::int32_t t, kit::Vec3 translation, double factor)
{
    return kit::spin(gl, spinTime(t, factor), translation);
}

// The same, then scaled.
template <class Gl>
double spin(Gl &gl, std::int32_t t, kit::Vec3 translation, kit::Vec3 scale, double factor)
{
    const double xAngle = spin(gl, t, translation, factor);
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
