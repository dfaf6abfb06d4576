#pragma once

#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

enum class GlOp {
    ClearColor, Clear, Scissor, Enable, Disable, BlendFunc, Viewport,
    MatrixMode, LoadIdentity, Translate, Rotate, Scale, Begin, End,
    Color, Vertex, Perspective,
};

// One recorded call. Float, int and enum arguments are all exact in a
// double, so one array holds any of them without loss.
struct GlCall {
    GlOp op;
    std::array<double, 4> args;

    bool operator==(const GlCall &o) const { return op == o.op && args == o.args; }
};

// The test and trace call layer: keeps every call, in order.
class GlRecorder {
public:
    std::vector<GlCall> calls;

    void clearColor(float r, float g, float b, float a) { add(GlOp::ClearColor, r, g, b, a); }
    void clear(GLbitfield mask) { add(GlOp::Clear, mask); }
    void scissor(int x, int y, int w, int h) { add(GlOp::Scissor, x, y, w, h); }
    void enable(GLenum cap) { add(GlOp::Enable, cap); }
    void disable(GLenum cap) { add(GlOp::Disable, cap); }
    void blendFunc(GLenum src, GLenum dst) { add(GlOp::BlendFunc, src, dst); }
    void viewport(int x, int y, int w, int h) { add(GlOp::Viewport, x, y, w, h); }
    void matrixMode(GLenum mode) { add(GlOp::MatrixMode, mode); }
    void loadIdentity() { add(GlOp::LoadIdentity); }
    void translatef(float x, float y, float z) { add(GlOp::Translate, x, y, z); }
    void rotatef(float angle, float x, float y, float z) { add(GlOp::Rotate, angle, x, y, z); }
    void scalef(float x, float y, float z) { add(GlOp::Scale, x, y, z); }
    void begin(GLenum mode) { add(GlOp::Begin, mode); }
    void end() { add(GlOp::End); }
    void color4f(float r, float g, float b, float a) { add(GlOp::Color, r, g, b, a); }
    void vertex3f(float x, float y, float z) { add(GlOp::Vertex, x, y, z); }
    void perspective(double fovy, double aspect, double zNear, double zFar)
    {
        add(GlOp::Perspective, fovy, aspect, zNear, zFar);
    }

private:
    void add(GlOp op, double a = 0, double b = 0, double c = 0, double d = 0)
    {
        calls.push_back({op, {a, b, c, d}});
    }
};

// One call as a trace line: the GL name, then its arguments separated by
// single spaces (floats with %.9g, doubles with %.17g, enums by name).
std::string formatCall(const GlCall &call);
