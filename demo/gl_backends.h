#pragma once

// Every call layer the scenes are compiled for. A scene source ends with
// INSTANTIATE_FOR_EVERY_GL(itsFunction).

#include "gl_recorder.h"
#include "native_gl.h"
#include "null_gl.h"

#define INSTANTIATE_FOR_EVERY_GL(function)                           \
    template void function<NativeGl>(NativeGl &, const Frame &);     \
    template void function<GlRecorder>(GlRecorder &, const Frame &); \
    template void function<NullGl>(NullGl &, const Frame &);
