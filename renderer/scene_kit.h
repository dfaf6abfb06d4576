#pragma once

// Building blocks shared by the scenes. Each keeps the exact rounding points
// of the formulas: `WideFloat` intermediates, float only where a value is stored as
// float, double where it is stored as double or handed to sin and cos.

#include "frame.h"
#include "timeline.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace kit {

// The near-pi constants the pictures are drawn with: not typos, since the
// exact pi would move points and colours.
constexpr double kPi = 3.14159268;
constexpr double kTwoPi = 6.28318536;
constexpr double kSpiralTwoPi = 6.2830536;

struct Rect {
    int x, y, width, height;
};

// Each product is truncated with its 64-bit significand: 0.3 * 1080 lies just
// below 324 and gives row 323.
inline Rect horizontalBand(double a, double b, int width, int height)
{
    return {0, static_cast<int>(a * static_cast<WideFloat>(height)), width,
            static_cast<int>(b * static_cast<WideFloat>(height))};
}

inline Rect verticalBand(double a, double b, int width, int height)
{
    return {static_cast<int>(a * static_cast<WideFloat>(width)), 0,
            static_cast<int>(b * static_cast<WideFloat>(width)), height};
}

// Black window, band filled with (r, g, b); scissor test left off.
template <class Gl>
void sceneFrame(Gl &gl, WideFloat r, WideFloat g, WideFloat b, Rect band)
{
    const GLbitfield both = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
    gl.clearColor(0, 0, 0, 0);
    gl.clear(both);
    gl.clearColor(r, g, b, 0);
    gl.scissor(band.x, band.y, band.width, band.height);
    gl.enable(GL_SCISSOR_TEST);
    gl.clear(both);
    gl.disable(GL_SCISSOR_TEST);
}

struct Vec3 {
    float x, y, z;
};

struct SpinRates {
    double x, y, z;
};

constexpr SpinRates kStandardRates{0.04, 0.05, 0.06};

// Loads the model-view matrix: translation, then rotations about x, y and z
// by t * rate degrees. Returns the x angle as a double, where the time
// phases start.
template <class Gl>
double spin(Gl &gl, std::int32_t t, Vec3 translation, SpinRates rates = kStandardRates)
{
    gl.loadIdentity();
    gl.translatef(translation.x, translation.y, translation.z);
    const WideFloat xAngle = t * static_cast<WideFloat>(rates.x);
    gl.rotatef(xAngle, 1, 0, 0);
    gl.rotatef(t * static_cast<WideFloat>(rates.y), 0, 1, 0);
    gl.rotatef(t * static_cast<WideFloat>(rates.z), 0, 0, 1);
    return static_cast<double>(xAngle);
}

template <class Gl>
double spin(Gl &gl, std::int32_t t, Vec3 translation, Vec3 scale)
{
    const double xAngle = spin(gl, t, translation);
    gl.scalef(scale.x, scale.y, scale.z);
    return xAngle;
}

// The x angle every scene's colours cycle with, whatever its own spin.
inline double standardXAngle(std::int32_t t)
{
    return static_cast<double>(t * static_cast<WideFloat>(kStandardRates.x));
}

struct TimePhases {
    float p1, p2, p3;
};

inline TimePhases timePhases(double xAngle)
{
    const float p1 = ((xAngle / static_cast<WideFloat>(360.0f)) * 2) * static_cast<WideFloat>(kPi);
    const float p2 = p1 * static_cast<WideFloat>(6.0f);
    const float p3 = p1 * static_cast<WideFloat>(28.0f);
    return {p1, p2, p3};
}

struct Beat {
    float position;  // (t - origin) / length, rounded to float
    int count;       // beats * position, truncated toward zero
    WideFloat phase;       // 1 - fraction: 1 on the beat, falling towards 0
};

// Before the origin the truncation toward zero keeps count 0 and lifts
// phase above 1.
inline Beat beat(std::int32_t t, const BeatGrid &grid)
{
    const float origin = static_cast<float>(grid.origin);
    const float length = static_cast<float>(grid.length);
    const float position = (t - static_cast<WideFloat>(origin)) / length;
    const WideFloat v = static_cast<WideFloat>(grid.beats) * position;
    const int count = static_cast<int>(v);
    return {position, count, 1 - (v - count)};
}

struct Palette {
    float m1, n1, m2, n2, m3, n3;  // coefficient pairs: m times the first
    WideFloat w1, w2, w3;                // weights of the three sines
};

constexpr Palette kStandardPalette{7, 2, 26, 9, 46, 8, 0.25f, 0.15, 0.1};

// The three sines' angles before the time phases are added: all a palette
// value takes from its curve inputs, so a scene can keep it per point.
struct PaletteAngles {
    WideFloat a1, a2, a3;
};

inline PaletteAngles paletteAngles(float m, float n, const Palette &c = kStandardPalette)
{
    return {c.m1 * static_cast<WideFloat>(m) + c.n1 * static_cast<WideFloat>(n),
            c.m2 * static_cast<WideFloat>(m) + c.n2 * static_cast<WideFloat>(n),
            c.m3 * static_cast<WideFloat>(m) + c.n3 * static_cast<WideFloat>(n)};
}

inline float paletteValue(const PaletteAngles &a, const TimePhases &p,
                          const Palette &c = kStandardPalette)
{
    const double s1 = std::sin(static_cast<double>(a.a1 + p.p1));
    const double s2 = std::sin(static_cast<double>(a.a2 + p.p2));
    const double s3 = std::sin(static_cast<double>(a.a3 + p.p3));
    return (c.w1 * s1 + c.w2 * s2) + c.w3 * s3;
}

inline float paletteValue(float m, float n, const TimePhases &p,
                          const Palette &c = kStandardPalette)
{
    return paletteValue(paletteAngles(m, n, c), p, c);
}

// (base - k) per channel, optionally times a fade; alpha is always 1.
template <class Gl>
void paletteColour(Gl &gl, float k, double r0, double g0, double b0)
{
    gl.color4f(r0 - static_cast<WideFloat>(k), g0 - static_cast<WideFloat>(k), b0 - static_cast<WideFloat>(k), 1);
}

template <class Gl>
void paletteColour(Gl &gl, float k, double r0, double g0, double b0, double fade)
{
    const WideFloat f = fade;
    gl.color4f((r0 - static_cast<WideFloat>(k)) * f, (g0 - static_cast<WideFloat>(k)) * f,
               (b0 - static_cast<WideFloat>(k)) * f, 1);
}

// Runs body(s, sum) for s = 0 and then for each further parameter below the
// bound. `sum` is the exact, unrounded s + step that angles are taken from
// (0 in the first step); `s` is the float the walk accumulates. A step too
// small to move s would never reach the bound, so it ends the walk.
template <class Body>
void pointWalk(float bound, float step, Body body)
{
    float s = 0;
    double sum = 0;
    for (;;) {
        body(s, sum);
        sum = static_cast<double>(s) + step;
        if (!(bound > sum))
            return;
        const float next = static_cast<float>(sum);
        if (next == s)
            return;
        s = next;
    }
}

struct ColourInputs {
    float halfSine, halfCosine;  // 0.5 sin and 0.5 cos of the angle
};

// Palette inputs on a circle of radius 0.5: one turn per `perUnit` ^ -1
// units of s (0.00125 for the sphere spiral).
inline ColourInputs circleInputs(double sum, double perUnit = 0.00125)
{
    const double angle = (kTwoPi * static_cast<WideFloat>(sum)) * perUnit;
    return {static_cast<float>(0.5 * static_cast<WideFloat>(std::sin(angle))),
            static_cast<float>(0.5 * static_cast<WideFloat>(std::cos(angle)))};
}

// Polar angle of the sphere spiral, (6.2830536 * s) * rate.
inline double polarAngle(double sum, double rate)
{
    return (kSpiralTwoPi * static_cast<WideFloat>(sum)) * rate;
}

// Point of the unit sphere, polar angle A from +y, azimuth Z about y from +z.
inline Vec3 spherePoint(double a, double z)
{
    const WideFloat sinA = std::sin(a);
    return {static_cast<float>(sinA * std::sin(z)), static_cast<float>(std::cos(a)),
            static_cast<float>(sinA * std::cos(z))};
}

// A point of a sphere spiral with its colour's palette angles (standard
// palette): all a spiral scene keeps per point step.
struct SpiralPoint {
    PaletteAngles colour;
    Vec3 point;
};

// The sphere spiral of a walk to `bound`: palette inputs on the colour
// circle, the polar angle at `polarRate`, the azimuth by the scene's own rule
// azimuth(sum, polar), which rounds it to double as that scene needs.
template <class Azimuth>
void sphereSpiral(float bound, float step, double polarRate, Azimuth azimuth,
                  std::vector<SpiralPoint> &points)
{
    pointWalk(bound, step, [&](float, double s) {
        const ColourInputs in = circleInputs(s);
        const double polar = polarAngle(s, polarRate);
        const double z = azimuth(s, polar);
        points.push_back({paletteAngles(in.halfSine, in.halfCosine), spherePoint(polar, z)});
    });
}

// A line from each spiral point to the origin, in the point's palette
// colour off base (r0, g0, b0) at the time phases given.
template <class Gl>
void raysToCentre(Gl &gl, const std::vector<SpiralPoint> &rays, const TimePhases &phases,
                  double r0, double g0, double b0)
{
    gl.begin(GL_LINES);
    for (const SpiralPoint &ray : rays) {
        paletteColour(gl, paletteValue(ray.colour, phases), r0, g0, b0);
        gl.vertex3f(ray.point.x, ray.point.y, ray.point.z);
        gl.vertex3f(0, 0, 0);
    }
    gl.end();
}

} // namespace kit
