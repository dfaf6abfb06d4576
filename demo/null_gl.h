#pragma once

#include "gl_calls.h"

// The call layer that draws nothing, for timing a scene's own work. Each
// argument is handed to an empty asm statement, so the compiler must still
// compute it but no call costs more than keeping its values in registers.
struct NullGl {
#define OSTRE3_NULL_CALL(Op, method, function, parameters, arguments, kinds) \
    void method parameters { keep arguments; }
    OSTRE3_GL_CALLS(OSTRE3_NULL_CALL)
#undef OSTRE3_NULL_CALL

private:
    template <class T>
    static void keepOne(T value)
    {
        __asm__ __volatile__("" : : "g"(value));
    }

    template <class... T>
    static void keep(T... values)
    {
        (keepOne(values), ...);
    }
};
