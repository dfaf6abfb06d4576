#pragma once

// The browser's call layer: the scenes' fixed-function calls drawn with
// WebGL 1. Vertices between begin and end are collected with their colour
// and drawn in one call by a small shader; the matrix stack that WebGL
// lacks is kept here. Its GL objects are made on first use, so the one
// instance must live as long as its context.

#include <array>
#include <vector>

class WebGl {
public:
    void clearColor(float r, float g, float b, float a);
    void clear(unsigned mask);
    void scissor(int x, int y, int w, int h);
    void enable(unsigned cap);
    void disable(unsigned cap);
    void blendFunc(unsigned src, unsigned dst);
    void viewport(int x, int y, int w, int h);
    void matrixMode(unsigned mode);
    void loadIdentity();
    void translatef(float x, float y, float z);
    void rotatef(float angle, float x, float y, float z);
    void scalef(float x, float y, float z);
    void begin(unsigned mode);
    void end();
    void color4f(float r, float g, float b, float a) { colour = {r, g, b, a}; }
    void vertex3f(float x, float y, float z)
    {
        vertices.insert(vertices.end(), {x, y, z, colour[0], colour[1], colour[2], colour[3]});
    }
    void perspective(double fovy, double aspect, double zNear, double zFar);

    // Column-major, as GL keeps its matrices.
    using Matrix = std::array<double, 16>;

private:
    void multiply(const Matrix &by);
    void setUp();

    Matrix projection = identity();
    Matrix modelView = identity();
    Matrix *current = &modelView;
    std::array<float, 4> colour{1, 1, 1, 1};
    unsigned primitive = 0;
    std::vector<float> vertices;  // x y z r g b a per vertex
    std::vector<float> triangles;  // quads split for drawing

    unsigned program = 0, buffer = 0;
    int transformAt = -1;

    static Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }
};
