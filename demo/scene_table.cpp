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

template <class Gl>
float resizeContext(Gl &gl, int w, int h)
{
    // A pane can be squeezed to no height at all; treat it as one row
    // rather than divide by zero.
    const int rows = std::max(h, 1);
    gl.viewport(0, 0, w, h);
    gl.matrixMode(GL_PROJECTION);
    gl.loadIdentity();
    gl.perspective(45.0, static_cast<double>(w) / rows, 0.01, 100.0);
    gl.matrixMode(GL_MODELVIEW);
    return 220 / static_cast<ext>(rows);
}

template <class Gl>
void paintFrame(Gl &gl, const Frame &f)
{
    switch (sceneAt(f.t)) {
    case 1: drawExtrudedLogo(gl, f); break;
    case 2: drawBurstAndTitle(gl, f); break;
    case 3: drawSunburstCube(gl, f); break;
    case 4: drawNoiseLinesAndCone(gl, f); break;
    case 5: drawTwistingCylinder(gl, f); break;
    case 6: drawDoublePyramid(gl, f); break;
    case 7: drawRandomBundle(gl, f); break;
    case 8: drawRaySphere(gl, f); break;
    case 9: drawFadingSpiral(gl, f); break;
    }
}

template void initializeContext<ScreenGl>(ScreenGl &);
template void initializeContext<GlRecorder>(GlRecorder &);
template float resizeContext<ScreenGl>(ScreenGl &, int, int);
template float resizeContext<GlRecorder>(GlRecorder &, int, int);
INSTANTIATE_FOR_EVERY_GL(paintFrame)
