// Scene 4: two jittering noise lines scrolling in the margins above and below
// the band, and a wire cone tumbling about x between them.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"

#include <cmath>

namespace {

// Each loop that runs every frame sits in a function of its own that starts
// on a 64-byte line (OSTRE3_FRAME_LOOP), so where its instructions fall in
// the cache lines is fixed here and not by the size of the code the linker
// puts before this file: the same machine code, moved 32 bytes by a change
// elsewhere, ran at a different speed (README, Speed).
#define OSTRE3_FRAME_LOOP [[gnu::noinline, gnu::aligned(64)]]

// Both lines switch between loose segments and a strip on every beat of
// scene 2's grid, counted from its origin: segments on the even beats, the
// strip on the odd ones, the second half of each pair.
GLenum lineMode(std::int32_t t)
{
    const BeatGrid grid = sceneBeats(4);
    const float origin = static_cast<float>(grid.origin);
    const float q = (t - static_cast<WideFloat>(origin)) / static_cast<float>(grid.length);
    const WideFloat v = static_cast<WideFloat>(grid.beats / 2) * q;
    const WideFloat fraction = v - static_cast<long long>(v);
    return fraction >= 0.5f ? GL_LINE_STRIP : GL_LINES;
}

struct Scroll {
    double offset;       // columns scrolled, 0.1 per ms
    double jitterPhase;  // one jitter swing per second
};

// Unlike the point walk, s is tested against its bound after rounding to
// float.
const std::vector<NoiseStep> &noiseSteps(StepMemo<NoiseStep> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<NoiseStep> &steps) {
        double nx = 0, ny = 0, nz = 0;
        float s = 0;
        for (;;) {
            steps.push_back({s, WideParts(nx * static_cast<WideFloat>(7654235.0)),
                             WideParts(ny * static_cast<WideFloat>(8354235.0f)),
                             WideParts(nz * static_cast<WideFloat>(8763356.0f))});
            const float next = s + static_cast<WideFloat>(step);
            // A step too small to move s would never reach the bound.
            if (!(1000.0f > next) || next == s)
                return;
            s = next;
            nx = std::sin(static_cast<double>(573.0f * static_cast<WideFloat>(s)));
            ny = std::sin(static_cast<double>(843.0f * static_cast<WideFloat>(s)));
            nz = std::sin(static_cast<double>(765.0f * static_cast<WideFloat>(s)));
        }
    });
}

// The points of this frame, in the caches' buffers: first each point's
// column and the angles of its jitter, then their sines, then the two
// lines' heights. The wide arithmetic of the first loop and the last has
// the registers to itself, away from the calls to sin and cos: so the frame
// took a sixth less time in the portable wide type's build than in one
// loop, and an eighth less in the x87 one's.
OSTRE3_FRAME_LOOP const std::vector<NoisePoint> &noisePoints(SceneCaches &caches, const Scroll &scroll, float step)
{
    std::vector<NoisePoint> &points = caches.noisePoints;
    std::vector<JitterAngles> &angles = caches.jitterAngles;
    points.clear();
    angles.clear();
    const double phase = scroll.jitterPhase;
    for (const NoiseStep &n : noiseSteps(caches.noiseSteps, step)) {
        const int column = static_cast<int>(static_cast<long long>(scroll.offset + static_cast<WideFloat>(n.along)) % 1000);
        angles.push_back({n.nx.sumTimesAsDouble(phase, kit::kTwoPi), n.ny.sumTimesAsDouble(phase, kit::kTwoPi),
                          n.nz.sumTimesAsDouble(phase, kit::kTwoPi)});
        points.push_back({column, 0, 0, 0, 0, 0});
    }
    auto angle = angles.cbegin();
    for (NoisePoint &p : points) {
        const double jx = std::sin(angle->x);
        const double jy = std::sin(angle->y);
        const double jz = std::cos(angle->z);
        ++angle;
        p.x = static_cast<float>((0.005 * static_cast<WideFloat>(p.column) - 2.5f) + 0.08 * static_cast<WideFloat>(jx));
        p.z = static_cast<float>(0.08 * static_cast<WideFloat>(jz));
        p.jy = jy;
    }
    for (NoisePoint &p : points) {
        const WideFloat dy = 0.08 * static_cast<WideFloat>(p.jy);
        p.yAbove = static_cast<float>(dy + 0.66);
        p.yBelow = static_cast<float>(dy + -0.66);
    }
    return points;
}

// One noise line, at the height `y` picks.
template <class Gl>
OSTRE3_FRAME_LOOP void drawNoiseLine(Gl &gl, GLenum mode, const std::vector<NoisePoint> &points,
                                     float NoisePoint::*y)
{
    for (const NoisePoint &p : points) {
        gl.color4f(0.2f, 0.25f, 0.45f, 1);
        // The column wraps from the right end to the left: never bridge the
        // seam, in either mode.
        if (p.column <= 1) {
            gl.end();
            gl.begin(mode);
        }
        gl.vertex3f(p.x, p.*y, p.z);
    }
}

const std::vector<ConeRay> &coneRays(StepMemo<ConeRay> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<ConeRay> &rays) {
        kit::pointWalk(500, step, [&](float, double sum) {
            const kit::ColourInputs rim = kit::circleInputs(sum, 0.002);
            rays.push_back({kit::paletteAngles(rim.halfSine, rim.halfCosine), rim});
        });
    });
}

// The cone's rays, coloured with this frame's time phases.
template <class Gl>
OSTRE3_FRAME_LOOP void drawCone(Gl &gl, const std::vector<ConeRay> &rays, const kit::TimePhases &phases)
{
    for (const ConeRay &ray : rays) {
        const kit::ColourInputs &rim = ray.rim;
        const float k = kit::paletteValue(ray.colour, phases);
        kit::paletteColour(gl, k, 0.5, 0.8, 1);
        gl.vertex3f(0, 0.5f, 0);
        gl.vertex3f(rim.halfSine, -0.5f, rim.halfCosine);
        kit::paletteColour(gl, k, 0.4, 0.7, 0.9);
        gl.vertex3f(rim.halfSine, -0.5f, rim.halfCosine);
        gl.vertex3f(0, -0.5f, 0);
    }
}

} // namespace

template <class Gl>
void drawNoiseLinesAndCone(Gl &gl, const Frame &f, SceneCaches &caches)
{
    kit::sceneFrame(gl, 0.12, 0.16, 0.28, kit::horizontalBand(0.1666, 0.666, f.width, f.height));

    // The noise lines are only moved back, never turned.
    gl.loadIdentity();
    gl.translatef(0, 0, -2);
    const GLenum mode = lineMode(f.t);
    const Scroll scroll{static_cast<double>(0.1 * static_cast<WideFloat>(f.t)),
                        static_cast<double>(0.001 * static_cast<WideFloat>(f.t))};
    const std::vector<NoisePoint> &points = noisePoints(caches, scroll, f.step);
    gl.begin(mode);
    drawNoiseLine(gl, mode, points, &NoisePoint::yAbove);
    gl.end();
    gl.begin(mode);
    drawNoiseLine(gl, mode, points, &NoisePoint::yBelow);
    gl.end();

    // The cone turns about x alone, at the standard x rate.
    const double xAngle = kit::standardXAngle(f.t);
    gl.loadIdentity();
    gl.translatef(0, 0, -3);
    gl.rotatef(static_cast<float>(xAngle), 1, 0, 0);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    gl.begin(GL_LINES);
    drawCone(gl, coneRays(caches.coneRays, f.step), phases);
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawNoiseLinesAndCone)
