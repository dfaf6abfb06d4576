// The page's entry points: the player script owns the clock and calls
// ostre3_frame for every new picture with the scene time, the canvas size
// in pixels and which picture to draw, and ostre3_restore when the browser
// gives back a WebGL context it took away.

#include "drawing_surface.h"
#include "timeline.h"
#include "webgl_gl.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <optional>

namespace {

// The canvas, once it has a WebGL context.
struct Canvas {
    WebGl gl;
    DrawingSurface surface;
};

std::optional<Canvas> canvas;

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
    canvas.emplace();
    canvas->surface.initialize(canvas->gl);
    return 1;
}

// Sets the scenes up again in the canvas's context, restored after a loss:
// every GL object of the old one is gone, and its size must be set anew.
// 0 before ostre3_start has made one.
extern "C" EMSCRIPTEN_KEEPALIVE int ostre3_restore()
{
    if (!canvas)
        return 0;
    canvas.emplace();
    canvas->surface.initialize(canvas->gl);
    return 1;
}

// The scene time, in ms, at which the timeline ends: the last frame is the
// one before it.
extern "C" EMSCRIPTEN_KEEPALIVE int ostre3_timeline_end()
{
    return kTimelineEnd;
}

// Draws the frame at scene time t on a w by h canvas: the gentle picture
// when `gentle` is not 0.
extern "C" EMSCRIPTEN_KEEPALIVE void ostre3_frame(int t, int w, int h, int gentle)
{
    if (!canvas)
        return;
    if (!canvas->surface.hasSize(w, h))
        canvas->surface.resize(canvas->gl, w, h);
    canvas->surface.draw(canvas->gl, t, gentle != 0);
}
