// Scene 2: a burst of lines from the centre to a sphere spiral, under the
// title "Ostre3" in block glyphs that throb to the beat.

#include "gentle.h"
#include "gl_backends.h"
#include "scene_kit.h"
#include "scenes.h"
#include "title_glyphs.h"

namespace {

// The spiral points the burst's rays run to.
const std::vector<kit::SpiralPoint> &burstPoints(StepMemo<kit::SpiralPoint> &memo, float step)
{
    return memo.entriesFor(step, [](float step, std::vector<kit::SpiralPoint> &points) {
        // The azimuth keeps its own rounding: 6.2830536 * s goes through a
        // double before the two rate factors.
        kit::sphereSpiral(4000, step, 0.00064, [](double s, double) -> double {
            const double turn = kit::kSpiralTwoPi * static_cast<WideFloat>(s);
            return (turn * static_cast<WideFloat>(0.00128)) * 0.88;
        }, points);
    });
}

// Gentle: the burst turns at half speed, and the title grows on the beat
// in height alone (its slots by a tenth of the swell), so its bars do not
// sweep sideways.
constexpr double kGentleSpin = 0.5;
constexpr double kGentleSwell = 0.1;

// Title sizes for one frame, in title units (the window is 320 units high).
struct TitleSize {
    float unit;     // pixels per unit
    float height;   // glyph height: 150 on a beat, 100 at rest
    double swell;   // extra slot width in units, extra cell row height in pixels
};

TitleSize titleSize(std::int32_t t, int paneHeight, bool gentlePulse)
{
    const kit::Beat b = kit::beat(t, sceneBeats(2));
    const float pulse = gentlePulse ? static_cast<float>(gentle::pulse(t, sceneBeats(2)))
                                    : static_cast<float>(b.phase * b.phase * b.phase);
    const float unit = paneHeight / static_cast<WideFloat>(320);
    const float height = 0.5 * (100 * static_cast<WideFloat>(pulse)) + 100;
    const double swell = gentlePulse ? 10 * pulse * kGentleSwell
                                     : static_cast<double>(0.1 * (100 * static_cast<WideFloat>(pulse)));
    return {unit, height, swell};
}

int px(WideFloat v)
{
    return static_cast<int>(v);
}

// The whole view at z = -3 is one quad: the scissor box alone decides what
// it fills.
template <class Gl>
void screenQuad(Gl &gl, kit::Rect r)
{
    gl.scissor(r.x, r.y, r.width, r.height);
    gl.begin(GL_QUADS);
    gl.vertex3f(-10, -10, 0);
    gl.vertex3f(10, -10, 0);
    gl.vertex3f(10, 10, 0);
    gl.vertex3f(-10, 10, 0);
    gl.end();
}

// One glyph column between the cursor positions left and right.
template <class Gl>
void strokeColumn(Gl &gl, const TitleSize &ts, float left, float right,
                  const title::StrokeGlyph &glyph, int column)
{
    const WideFloat g = ts.unit;
    const WideFloat e = ts.height;
    const int x = px(left * g);
    const int width = px((static_cast<WideFloat>(right) - left) * g);
    if (title::isFullBar(glyph, column)) {
        screenQuad(gl, {x, px(130 * g), width, px(g * e)});
        return;
    }
    for (int j = 0; j < title::kQuarters; ++j)
        if (title::fills(glyph, column, j))
            screenQuad(gl, {x, px(((e * j) * 0.25 + 130) * g), width, px(g * (0.25 * e))});
}

// Five characters in sixteen slots from x = 50: glyph columns with one gap
// slot between characters. Slots widen by the swell and carry the cursor's
// float rounding from slot to slot.
template <class Gl>
void strokeCharacters(Gl &gl, const TitleSize &ts)
{
    float cursor = 50;
    const auto advance = [&] { return static_cast<float>((static_cast<WideFloat>(cursor) + 15) + ts.swell); };
    bool first = true;
    for (const title::StrokeGlyph &glyph : title::kStrokeGlyphs) {
        if (!first)
            cursor = advance();
        first = false;
        for (int column = 0; column < title::columnCount(glyph); ++column) {
            const float next = advance();
            strokeColumn(gl, ts, cursor, next, glyph, column);
            cursor = next;
        }
    }
}

// The digit on 20-unit cells from (300, 20). The swell is added in pixels
// here, so rows 0, 2 and 4 grow by it and lift everything above row 2.
template <class Gl>
void cellCharacter(Gl &gl, const TitleSize &ts)
{
    const WideFloat g = ts.unit;
    const WideFloat d = ts.swell;
    const int left = px(300 * g);
    const int barWidth = px(60 * g);
    const int barHeight = px(20 * g + d);
    const int cell = px(static_cast<float>(20 * g));
    const auto cellX = [&](title::CellColumn c) {
        return c == title::CellColumn::Left ? left : left + px(40 * g);
    };
    screenQuad(gl, {left, px(20 * g - d), barWidth, barHeight});
    screenQuad(gl, {cellX(title::kDigitCells[0]), px(40 * g), cell, cell});
    screenQuad(gl, {left, px(60 * g), barWidth, barHeight});
    screenQuad(gl, {cellX(title::kDigitCells[1]), px(80 * g + d), cell, cell});
    screenQuad(gl, {left, px(100 * g + d), barWidth, barHeight});
}

} // namespace

template <class Gl>
void drawBurstAndTitle(Gl &gl, const Frame &f, SceneCaches &caches)
{
    kit::sceneFrame(gl, 0.28f, 0.22f, 0.18f, kit::horizontalBand(0.0666, 0.466, f.width, f.height));
    const kit::Vec3 scale{0.8f, 0.8f, 0.8f};
    const double xAngle = f.gentle ? gentle::spin(gl, f.t, {0.5f, 0, -3}, scale, kGentleSpin)
                                   : kit::spin(gl, f.t, {0.5f, 0, -3}, scale);
    const auto &rays = burstPoints(caches.burstRays, f.step);
    kit::raysToCentre(gl, rays, f.gentle ? gentle::phases(f.t) : kit::timePhases(xAngle), 0.9, 0.7, 0.4);

    gl.loadIdentity();
    gl.translatef(0, 0, -3);
    const TitleSize ts = titleSize(f.t, f.height, f.gentle);
    gl.enable(GL_SCISSOR_TEST);
    gl.enable(GL_BLEND);
    gl.disable(GL_DEPTH_TEST);
    gl.blendFunc(GL_ONE, GL_ONE);
    gl.color4f(0.3, 0.45, 0.7, 1);
    strokeCharacters(gl, ts);
    gl.color4f(0.5, 0.5, 0.5, 1);
    cellCharacter(gl, ts);
    // Later scenes rely on the state the pane set up; the blend function
    // may stay, blending may not.
    gl.disable(GL_BLEND);
    gl.disable(GL_SCISSOR_TEST);
    gl.enable(GL_DEPTH_TEST);
}

INSTANTIATE_FOR_EVERY_GL(drawBurstAndTitle)
