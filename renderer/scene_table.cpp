#include "scene_table.h"

#include "gl_backends.h"
#include "scenes.h"
#include "timeline.h"

#include <algorithm>

template <class Gl>
void initializeContext(Gl &gl)
{
    gl.enable(GL_DEPTH_TEST);
}

namespace {

// A pane can be squeezed to no height at all; it counts as one row rather
// than divide by zero.
int rowsOf(int height)
{
    return std::max(height, 1);
}

template <class Gl>
void setProjection(Gl &gl, int w, int h)
{
    gl.matrixMode(GL_PROJECTION);
    gl.loadIdentity();
    gl.perspective(45.0, static_cast<double>(w) / rowsOf(h), 0.01, 100.0);
    gl.matrixMode(GL_MODELVIEW);
}

} // namespace

template <class Gl>
void resizeContext(Gl &gl, int w, int h)
{
    gl.viewport(0, 0, w, h);
    setProjection(gl, w, h);
}

float pointStep(int height)
{
    return 220 / static_cast<WideFloat>(rowsOf(height));
}

template <class Gl>
void paintFrame(Gl &gl, const Frame &f, SceneCaches &caches)
{
    switch (sceneAt(f.t)) {
    case 1: drawExtrudedLogo(gl, f, caches); break;
    case 2: drawBurstAndTitle(gl, f, caches); break;
    case 3: drawSunburstCube(gl, f, caches); break;
    case 4: drawNoiseLinesAndCone(gl, f, caches); break;
    case 5: drawTwistingCylinder(gl, f, caches); break;
    case 6: drawDoublePyramid(gl, f, caches); break;
    case 7: drawRandomBundle(gl, f, caches); break;
    case 8: drawRaySphere(gl, f, caches); break;
    case 9: drawFadingSpiral(gl, f, caches); break;
    }
}

template void initializeContext<ScreenGl>(ScreenGl &);
template void initializeContext<GlRecorder>(GlRecorder &);
template void initializeContext<NullGl>(NullGl &);
template void resizeContext<ScreenGl>(ScreenGl &, int, int);
template void resizeContext<GlRecorder>(GlRecorder &, int, int);
template void resizeContext<NullGl>(NullGl &, int, int);
INSTANTIATE_FOR_EVERY_GL(paintFrame)
