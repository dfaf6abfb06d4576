#pragma once

#include "gl_calls.h"

#include <GL/gl.h>
#include <GL/glu.h>

// The real call layer: every method is an inline forward to OpenGL, so the
// scenes cost the same as if they called GL directly.
struct NativeGl {
#define OSTRE3_NATIVE_CALL(Op, method, function, parameters, arguments, kinds) \
    void method parameters { function arguments; }
    OSTRE3_GL_CALLS(OSTRE3_NATIVE_CALL)
#undef OSTRE3_NATIVE_CALL
};
