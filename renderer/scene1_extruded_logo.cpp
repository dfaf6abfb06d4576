// Scene 1: the "EHO" logo outline repeated as a dense stack of layers along z,
// so it reads as a solid extruded sign; from 6 s on it grows and the layers
// twist into a spiral.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

namespace {

struct Segment {
    float x0, y0, x1, y1;
};

// E, H and a hexagonal O; 0.3f is deliberately the float, not the double.
constexpr Segment kLogo[] = {
    {-1.75f, -0.5f, -1.75f, 0.5f},  {-1.75f, 0.5f, -0.75f, 0.5f},
    {-1.75f, 0.0f, -1.0f, 0.0f},    {-1.75f, -0.5f, -0.75f, -0.5f},
    {-0.5f, -0.5f, -0.5f, 0.5f},    {0.5f, -0.5f, 0.5f, 0.5f},
    {-0.5f, 0.0f, 0.5f, 0.0f},      {1.0f, 0.5f, 1.25f, 0.3f},
    {1.25f, 0.3f, 1.25f, -0.3f},    {1.25f, -0.3f, 1.0f, -0.5f},
    {1.0f, -0.5f, 0.75f, -0.3f},    {0.75f, -0.3f, 0.75f, 0.3f},
    {0.75f, 0.3f, 1.0f, 0.5f},
};

constexpr float kStackDepth = 800;      // layer positions run below this
constexpr float kFirstLit = 20;         // layers before this are black,
constexpr float kLastLit = 780;         // and from this one on again

// Gentle: the logo grows at 0.7 of the pace and twists as at 0.4 of its
// growth, so the far layers never spin round faster than the eye follows.
constexpr double kGentleGrowth = 0.7;
constexpr double kGentleTwist = 0.4;

// Zero until 6000 ms, then rising by one per 1600 ms.
float growth(std::int32_t t)
{
    if (t <= 5999)
        return 0;
    return (t - 6000) / static_cast<WideFloat>(1600.0f);
}

// The gentle twist of each layer on the one before, in degrees.
float gentleTwist(float s)
{
    const double g = s * kGentleTwist;
    return static_cast<float>(g * g * g * 0.5);
}

// The stack's layers, the same in every frame at one step.
const std::vector<LogoLayer> &logoLayers(StepMemo<LogoLayer> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<LogoLayer> &layers) {
        float u = 0;
        for (;;) {
            const float z = 0.0005 * static_cast<WideFloat>(u) - static_cast<WideFloat>(0.25f);
            if (u < kFirstLit || u >= kLastLit)
                layers.push_back({z, 0, 0, 0});
            else
                layers.push_back({z, static_cast<float>(z + static_cast<WideFloat>(0.4)),
                                  static_cast<float>(z + static_cast<WideFloat>(0.5f)),
                                  static_cast<float>(z + static_cast<WideFloat>(0.6))});
            // Tested after rounding, unlike the point walk. A step too small
            // to move u would never reach the end, so it ends the stack.
            const float next = static_cast<WideFloat>(u) + step;
            if (!(kStackDepth > next) || next == u)
                return;
            u = next;
        }
    });
}

} // namespace

template <class Gl>
void drawExtrudedLogo(Gl &gl, const Frame &f, SceneCaches &caches)
{
    kit::sceneFrame(gl, 0.82, 0.88, 1.0, kit::horizontalBand(0.1666, 0.666, f.width, f.height));
    // Slow tumble: the z rotation reuses the x rate, so both get the same float.
    kit::spin(gl, f.t, {0, 0, -3}, kit::SpinRates{0.005, 0.05, 0.005});

    const float s = f.gentle ? static_cast<float>(growth(f.t) * kGentleGrowth) : growth(f.t);
    const float scale = 0.8 + static_cast<WideFloat>(s);
    gl.scalef(scale, scale, scale);
    gl.scalef(scale, scale, scale);
    const float s2 = static_cast<WideFloat>(s) * s;
    const float twist = f.gentle ? gentleTwist(s)
                                 : static_cast<float>((static_cast<WideFloat>(s2) * s) * 0.5);

    for (const LogoLayer &layer : logoLayers(caches.logoLayers, f.step)) {
        gl.begin(GL_LINES);
        gl.color4f(layer.red, layer.green, layer.blue, 1);
        for (const Segment &seg : kLogo) {
            gl.vertex3f(seg.x0, seg.y0, layer.z);
            gl.vertex3f(seg.x1, seg.y1, layer.z);
        }
        gl.end();
        gl.rotatef(twist, 0, 0, 1);
    }
}

INSTANTIATE_FOR_EVERY_GL(drawExtrudedLogo)
