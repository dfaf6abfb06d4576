#pragma once

// The browser's call layer: the scenes' fixed-function calls drawn with
// WebGL 1, one method for each call in gl_calls.h. Vertices between begin
// and end are collected with their colour and drawn in one call by a small
// shader; the matrix stack that WebGL lacks is kept here. Its GL objects
// are made on first use, so the one instance must live as long as its
// context.

#include "gl_calls.h"

#include <array>
#include <vector>

class WebGl {
public:
#define OSTRE3_WEBGL_CALL(Op, method, function, parameters, arguments, kinds) \
    void method parameters;
    OSTRE3_GL_CALLS(OSTRE3_WEBGL_CALL)
#undef OSTRE3_WEBGL_CALL

    // Column-major, as GL keeps its matrices.
    using Matrix = std::array<double, 16>;

private:
    void multiply(const Matrix &by);
    void setUp();

    Matrix projection = identity();
    Matrix modelView = identity();
    Matrix *current = &modelView;
    std::array<float, 4> colour{1, 1, 1, 1};
    GLenum primitive = 0;
    std::vector<float> vertices;  // x y z r g b a per vertex
    std::vector<float> triangles;  // quads split for drawing

    unsigned program = 0, buffer = 0;
    int transformAt = -1;

    static Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }
};

// The calls a frame makes most, inline.
inline void WebGl::color4f(float r, float g, float b, float a)
{
    colour = {r, g, b, a};
}

inline void WebGl::vertex3f(float x, float y, float z)
{
    vertices.insert(vertices.end(), {x, y, z, colour[0], colour[1], colour[2], colour[3]});
}
