#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// The real call layer: every method is an inline forward to OpenGL, so the
// scenes cost the same as if they called GL directly.
struct NativeGl {
    void clearColor(float r, float g, float b, float a) { glClearColor(r, g, b, a); }
    void clear(GLbitfield mask) { glClear(mask); }
    void scissor(int x, int y, int w, int h) { glScissor(x, y, w, h); }
    void enable(GLenum cap) { glEnable(cap); }
    void disable(GLenum cap) { glDisable(cap); }
    void blendFunc(GLenum src, GLenum dst) { glBlendFunc(src, dst); }
    void viewport(int x, int y, int w, int h) { glViewport(x, y, w, h); }
    void matrixMode(GLenum mode) { glMatrixMode(mode); }
    void loadIdentity() { glLoadIdentity(); }
    void translatef(float x, float y, float z) { glTranslatef(x, y, z); }
    void rotatef(float angle, float x, float y, float z) { glRotatef(angle, x, y, z); }
    void scalef(float x, float y, float z) { glScalef(x, y, z); }
    void begin(GLenum mode) { glBegin(mode); }
    void end() { glEnd(); }
    void color4f(float r, float g, float b, float a) { glColor4f(r, g, b, a); }
    void vertex3f(float x, float y, float z) { glVertex3f(x, y, z); }
    void perspective(double fovy, double aspect, double zNear, double zFar)
    {
        gluPerspective(fovy, aspect, zNear, zFar);
    }
};
