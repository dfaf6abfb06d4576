// The page's entry points: the player script owns the clock and calls
// ostre3_frame on every animation frame with the scene time, the canvas
// size in pixels and which picture to draw.

#include "gl_backends.h"
#include "scene_table.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

namespace {

WebGl gl;
SceneCaches caches;
int width = 0, height = 0;
float step = kStepBeforeResize;
bool ready = false;

} // namespace

// Makes a WebGL context on the canvas "#canvas"; 0 when the browser has none.
extern "C" EMSCRIPTEN_KEEPALIVE int ostre3_start()
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = false;
    attributes.antialias = true;  // the desktop pane asks for multisampling too
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "ostre3: this browser gives no WebGL context\n");
        return 0;
    }
    initializeContext(gl);
    ready = true;
    return 1;
}

// Draws the frame at scene time t on a w by h canvas: the gentle picture
// (paintGentleFrame) when `gentle` is not 0.
extern "C" EMSCRIPTEN_KEEPALIVE void ostre3_frame(int t, int w, int h, int gentle)
{
    if (!ready)
        return;
    if (w != width || h != height) {
        resizeContext(gl, w, h);
        step = pointStep(h);
        width = w;
        height = h;
    }
    const Frame frame{t, step, w, h};
    if (gentle)
        paintGentleFrame(gl, frame, caches);
    else
        paintFrame(gl, frame, caches);
}
