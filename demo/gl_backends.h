#pragma once

// Every call layer the scenes are compiled for. A scene source ends with
// INSTANTIATE_FOR_EVERY_GL(itsFunction); a further layer is one more line
// of INSTANTIATE_FOR_EVERY_GL.

#include "frame.h"
#include "gl_recorder.h"
#include "native_gl.h"
#include "null_gl.h"
#include "scene_caches.h"

// A scene routine, or paintFrame, compiled for one call layer.
#define INSTANTIATE_FOR_GL(Gl, function) \
    template void function<Gl>(Gl &, const Frame &, SceneCaches &);

#define INSTANTIATE_FOR_EVERY_GL(function)   \
    INSTANTIATE_FOR_GL(NativeGl, function)   \
    INSTANTIATE_FOR_GL(GlRecorder, function) \
    INSTANTIATE_FOR_GL(NullGl, function)
