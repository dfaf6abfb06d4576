#pragma once

#include "gl_calls.h"
#include "render_platform.h"

// The call layer that draws nothing, for timing a scene's own work. Each
// argument is handed to an empty asm statement, so the compiler must still
// compute it but no call costs more than keeping its values in registers.

namespace null_gl {

template <class T>
void keepOne(T value)
{
    __asm__ __volatile__("" : : OSTRE3_KEPT_OPERAND(value));
}

template <class... T>
void keep(T... values)
{
    (keepOne(values), ...);
}

} // namespace null_gl

struct NullGl {
#define OSTRE3_NULL_CALL(Op, method, function, parameters, arguments, kinds) \
    void method parameters { null_gl::keep arguments; }
    OSTRE3_GL_CALLS(OSTRE3_NULL_CALL)
#undef OSTRE3_NULL_CALL
};
