// Scene 7: a bundle of lines between random points of the planes z = -1 and
// z = +1. glibc's rand() sequence after srand(0) gives the layout, so it
// never moves and is the same on every platform;
// each beat throws every end point off by its own random offset, and it
// settles back cubically.

#include "gentle.h"
#include "gl_backends.h"
#include "glibc_rand.h"
#include "scene_kit.h"
#include "scenes.h"

#include <cmath>

namespace {

// Gentle: the bundle turns at 0.07 of its speed, so its dense lines do not
// shimmer (at 0.15 they still flashed 15 to 19 times a second at 1280x720,
// 4 s before the scene's middle), and a beat stirs its ends by 0.02
// where it throws them by 0.8.
constexpr double kGentleSpin = 0.07;
constexpr double kGentleThrow = 0.02;

// One rand() result as -1.00 .. 0.99 in steps of 0.01.
float randomValue(GlibcRand &random)
{
    return (random() % 200 - 100) * static_cast<WideFloat>(0.01);
}

// Where a beat's pulse has thrown the end, in the plane z.
kit::Vec3 thrownEnd(const RandomEnd &end, float pulse, float z)
{
    return {static_cast<float>(static_cast<WideFloat>(end.x) + pulse * static_cast<WideFloat>(end.jitterX)),
            static_cast<float>(static_cast<WideFloat>(end.y) + pulse * static_cast<WideFloat>(end.jitterY)), z};
}

// Four rand() results, in this order: angle, radius, x jitter, y jitter.
RandomEnd randomEnd(GlibcRand &random)
{
    const float angle = randomValue(random);
    const float radius = randomValue(random);
    const float jitterX = randomValue(random);
    const float jitterY = randomValue(random);
    const double direction = angle * static_cast<WideFloat>(kit::kTwoPi);
    const float sine = std::sin(direction);
    const float cosine = std::cos(direction);
    return {static_cast<double>(radius * static_cast<WideFloat>(sine)),
            static_cast<double>(radius * static_cast<WideFloat>(cosine)), jitterX, jitterY};
}

// The k-th line always takes the k-th eight rand() results after srand(0),
// so the layout depends on the point step alone: it is drawn again only
// when the step changes.
const std::vector<BundleLine> &bundleLines(StepMemo<BundleLine> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<BundleLine> &lines) {
        GlibcRand random(0);
        kit::pointWalk(2000, step, [&](float, double s) {
            const kit::ColourInputs in = kit::circleInputs(s);
            const RandomEnd back = randomEnd(random);
            lines.push_back({kit::paletteAngles(in.halfSine, in.halfCosine), back, randomEnd(random)});
        });
    });
}

} // namespace

template <class Gl>
void drawRandomBundle(Gl &gl, const Frame &f, SceneCaches &caches)
{
    // The beat starts 40 ms into the scene; before it the phase exceeds 1.
    const WideFloat phase = kit::beat(f.t, sceneBeats(7)).phase;
    const float pulse = f.gentle ? static_cast<float>(gentle::pulse(f.t, sceneBeats(7)) * kGentleThrow)
                                 : static_cast<float>(phase * ((phase * phase) * static_cast<WideFloat>(0.8)));

    kit::sceneFrame(gl, 0.12, 0.08, 0.21, kit::horizontalBand(0.1, 0.8, f.width, f.height));
    const kit::Vec3 scale{0.8f, 0.8f, 0.8f};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0, 0, -3}, scale);
    const std::vector<BundleLine> &lines = bundleLines(caches.bundleLines, f.step);
    gl.begin(GL_LINES);
    const kit::TimePhases phases = f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle);
    for (const BundleLine &line : lines) {
        kit::paletteColour(gl, kit::paletteValue(line.colour, phases), 0.9, 0.5, 0.7);
        const kit::Vec3 back = thrownEnd(line.back, pulse, -1);
        gl.vertex3f(back.x, back.y, back.z);
        const kit::Vec3 front = thrownEnd(line.front, pulse, 1);
        gl.vertex3f(front.x, front.y, front.z);
    }
    gl.end();
}

INSTANTIATE_FOR_EVERY_GL(drawRandomBundle)
