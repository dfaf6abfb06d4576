// Scene 3: the six faces of a cube, each a fan of rays from its centre to a
// point walking round its outline, pulsing flat and wide on every beat.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

namespace {

// Gentle: the cube turns at 0.3 of its speed and pulses a quarter as far.
constexpr double kGentleSpin = 0.3;
constexpr double kGentlePulse = 0.05;

// This scene's own coefficient pairs, and 0.15 (not 0.1) for the third sine.
constexpr kit::Palette kCubePalette{3, 1, 26, 9, 58, 18, 0.25f, 0.15, 0.15};

// Clockwise round the square from the corner (-1, 1), one edge per 200 of s.
OutlinePoint outlinePoint(float s)
{
    const WideFloat u = s;
    if (s < 200)
        return {static_cast<float>((u - 100.0f) * 0.01), 1};
    if (s < 400)
        return {1, static_cast<float>((300.0f - u) * 0.01)};
    if (s < 600)
        return {static_cast<float>((500.0f - u) * 0.01), -1};
    return {-1, static_cast<float>((u - 700.0f) * 0.01)};
}

const std::vector<CubeRay> &cubeRays(StepMemo<CubeRay> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<CubeRay> &steps) {
        kit::pointWalk(800, step, [&](float s, double sum) {
            const kit::ColourInputs in = kit::circleInputs(sum);
            steps.push_back({kit::paletteAngles(in.halfSine, in.halfCosine, kCubePalette), outlinePoint(s)});
        });
    });
}

} // namespace

template <class Gl>
void drawSunburstCube(Gl &gl, const Frame &f, SceneCaches &caches)
{
    const kit::Beat b = kit::beat(f.t, sceneBeats(3));
    const float pulse = f.gentle ? static_cast<float>(gentle::pulse(f.t, sceneBeats(3)) * kGentlePulse)
                                 : static_cast<float>(((b.phase * b.phase) * 0.2) * b.phase);
    const WideFloat wide = 0.5f + static_cast<WideFloat>(pulse);
    const WideFloat flat = 0.5f - static_cast<WideFloat>(pulse);

    kit::sceneFrame(gl, 0.18, 0.38, 0.08, kit::horizontalBand(0.1666, 0.666, f.width, f.height));
    const kit::Vec3 scale{static_cast<float>(wide), static_cast<float>(flat), static_cast<float>(wide)};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0, 0, -3}, scale);
    gl.begin(GL_LINES);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    for (const CubeRay &ray : cubeRays(caches.cubeRays, f.step)) {
        const float k = kit::paletteValue(ray.colour, phases, kCubePalette);
        const OutlinePoint p = ray.p;
        // Faces z = -1 and 1, then y = -1 and 1, then x = -1 and 1, each pair
        // 0.2 darker than the one before.
        kit::paletteColour(gl, k, 0.8, 0.9, 0.7);
        gl.vertex3f(p.x, p.y, -1);
        gl.vertex3f(0, 0, -1);
        gl.vertex3f(p.x, p.y, 1);
        gl.vertex3f(0, 0, 1);
        kit::paletteColour(gl, k, 0.6, 0.7, 0.5f);
        gl.vertex3f(p.y, -1, p.x);
        gl.vertex3f(0, -1, 0);
        gl.vertex3f(p.y, 1, p.x);
        gl.vertex3f(0, 1, 0);
        kit::paletteColour(gl, k, 0.4, 0.5f, 0.3);
        gl.vertex3f(-1, p.x, p.y);
        gl.vertex3f(-1, 0, 0);
        gl.vertex3f(1, p.x, p.y);
        gl.vertex3f(1, 0, 0);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawSunburstCube)
