#pragma once

// Every call layer the scenes are compiled for. A scene source ends with
// INSTANTIATE_FOR_EVERY_GL(itsFunction). ScreenGl is the layer that draws
// on screen, which the build's render_platform.h chooses.

#include "frame.h"
#include "gl_recorder.h"
#include "null_gl.h"
#include "render_platform.h"
#include "scene_caches.h"

// A scene routine, or paintFrame, compiled for one call layer.
#define INSTANTIATE_FOR_GL(Gl, function) \
    template void function<Gl>(Gl &, const Frame &, SceneCaches &);

#define INSTANTIATE_FOR_EVERY_GL(function)   \
    INSTANTIATE_FOR_GL(ScreenGl, function)   \
    INSTANTIATE_FOR_GL(GlRecorder, function) \
    INSTANTIATE_FOR_GL(NullGl, function)
