#pragma once

#include <GL/gl.h>

// The call layer that draws nothing, for timing a scene's own work. Each
// argument is handed to an empty asm statement, so the compiler must still
// compute it but no call costs more than keeping its values in registers.
struct NullGl {
    void clearColor(float r, float g, float b, float a) { keep(r, g, b, a); }
    void clear(GLbitfield mask) { keep(mask); }
    void scissor(int x, int y, int w, int h) { keep(x, y, w, h); }
    void enable(GLenum cap) { keep(cap); }
    void disable(GLenum cap) { keep(cap); }
    void blendFunc(GLenum src, GLenum dst) { keep(src, dst); }
    void viewport(int x, int y, int w, int h) { keep(x, y, w, h); }
    void matrixMode(GLenum mode) { keep(mode); }
    void loadIdentity() {}
    void translatef(float x, float y, float z) { keep(x, y, z); }
    void rotatef(float angle, float x, float y, float z) { keep(angle, x, y, z); }
    void scalef(float x, float y, float z) { keep(x, y, z); }
    void begin(GLenum mode) { keep(mode); }
    void end() {}
    void color4f(float r, float g, float b, float a) { keep(r, g, b, a); }
    void vertex3f(float x, float y, float z) { keep(x, y, z); }
    void perspective(double fovy, double aspect, double zNear, double zFar)
    {
        keep(fovy, aspect, zNear, zFar);
    }

private:
    // WebAssembly's backend takes register operands only.
    template <class T>
    static void keepOne(T value)
    {
#ifdef __wasm__
        __asm__ __volatile__("" : : "r"(value));
#else
        __asm__ __volatile__("" : : "g"(value));
#endif
    }

    template <class... T>
    static void keep(T... values)
    {
        (keepOne(values), ...);
    }
};
