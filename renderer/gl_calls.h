#pragma once

#include <GL/gl.h>

// The GL calls the scenes make, listed once. Every call layer (NativeGl,
// NullGl, GlRecorder), the recorder's trace printer and its replay are
// generated from this list, so a call added here reaches all of them. A new
// call layer is a struct whose methods are made from it the same way.
//
// X(Op, method, function, parameters, arguments, kinds)
//   Op          the call's GlOp in a recording; the order numbers them
//   method      the call layer's method
//   function    the GL or GLU function it stands for
//   parameters  the method's parameter list
//   arguments   the parameters' names, to pass them on
//   kinds       how a trace prints each argument: Float (%.9g), Double
//               (%.17g), Int, or by name: Mask, Capability, BlendFactor,
//               MatrixMode, Primitive
#define OSTRE3_GL_CALLS(X)                                                                 \
    X(ClearColor, clearColor, glClearColor, (float r, float g, float b, float a),          \
      (r, g, b, a), (Float, Float, Float, Float))                                          \
    X(Clear, clear, glClear, (GLbitfield mask), (mask), (Mask))                            \
    X(Scissor, scissor, glScissor, (int x, int y, int w, int h), (x, y, w, h),             \
      (Int, Int, Int, Int))                                                                \
    X(Enable, enable, glEnable, (GLenum cap), (cap), (Capability))                         \
    X(Disable, disable, glDisable, (GLenum cap), (cap), (Capability))                      \
    X(BlendFunc, blendFunc, glBlendFunc, (GLenum src, GLenum dst), (src, dst),             \
      (BlendFactor, BlendFactor))                                                          \
    X(Viewport, viewport, glViewport, (int x, int y, int w, int h), (x, y, w, h),          \
      (Int, Int, Int, Int))                                                                \
    X(MatrixMode, matrixMode, glMatrixMode, (GLenum mode), (mode), (MatrixMode))           \
    X(LoadIdentity, loadIdentity, glLoadIdentity, (), (), ())                              \
    X(Translate, translatef, glTranslatef, (float x, float y, float z), (x, y, z),         \
      (Float, Float, Float))                                                               \
    X(Rotate, rotatef, glRotatef, (float angle, float x, float y, float z),                \
      (angle, x, y, z), (Float, Float, Float, Float))                                      \
    X(Scale, scalef, glScalef, (float x, float y, float z), (x, y, z),                     \
      (Float, Float, Float))                                                               \
    X(Begin, begin, glBegin, (GLenum mode), (mode), (Primitive))                           \
    X(End, end, glEnd, (), (), ())                                                         \
    X(Color, color4f, glColor4f, (float r, float g, float b, float a), (r, g, b, a),       \
      (Float, Float, Float, Float))                                                        \
    X(Vertex, vertex3f, glVertex3f, (float x, float y, float z), (x, y, z),                \
      (Float, Float, Float))                                                               \
    X(Perspective, perspective, gluPerspective,                                            \
      (double fovy, double aspect, double zNear, double zFar), (fovy, aspect, zNear, zFar), \
      (Double, Double, Double, Double))

// Strips the parentheses off a column: OSTRE3_GL_UNWRAP (a, b) is a, b.
#define OSTRE3_GL_UNWRAP(...) __VA_ARGS__
