#pragma once

// Every call layer the scenes are compiled for. A scene source ends with
// INSTANTIATE_FOR_EVERY_GL(itsFunction). ScreenGl is the layer that draws
// on screen: OpenGL on the desktop, WebGL in the browser.

#include "gl_recorder.h"
#include "null_gl.h"

#ifdef __EMSCRIPTEN__
#include "webgl_gl.h"
using ScreenGl = WebGl;
#else
#include "native_gl.h"
using ScreenGl = NativeGl;
#endif

#define INSTANTIATE_FOR_EVERY_GL(function)                           \
    template void function<ScreenGl>(ScreenGl &, const Frame &);     \
    template void function<GlRecorder>(GlRecorder &, const Frame &); \
    template void function<NullGl>(NullGl &, const Frame &);
