#include "array_drawer.h"

#include "native_gl.h"

#include <EGL/egl.h>
#include <GL/glext.h>

#include <cstddef>

namespace {

// Vertex buffers are GL 1.5, past what the headers declare for GL 1.x.
struct BufferCalls {
    PFNGLGENBUFFERSPROC genBuffers;
    PFNGLDELETEBUFFERSPROC deleteBuffers;
    PFNGLBINDBUFFERPROC bindBuffer;
    PFNGLBUFFERDATAPROC bufferData;

    bool ok() const { return genBuffers && deleteBuffers && bindBuffer && bufferData; }
};

const BufferCalls &bufferCalls()
{
    static const BufferCalls calls{
        reinterpret_cast<PFNGLGENBUFFERSPROC>(eglGetProcAddress("glGenBuffers")),
        reinterpret_cast<PFNGLDELETEBUFFERSPROC>(eglGetProcAddress("glDeleteBuffers")),
        reinterpret_cast<PFNGLBINDBUFFERPROC>(eglGetProcAddress("glBindBuffer")),
        reinterpret_cast<PFNGLBUFFERDATAPROC>(eglGetProcAddress("glBufferData")),
    };
    return calls;
}

float f(double v)
{
    return static_cast<float>(v);
}

int i(double v)
{
    return static_cast<int>(v);
}

GLenum e(double v)
{
    return static_cast<GLenum>(v);
}

void replay(NativeGl &gl, const GlCall &call)
{
    const auto &a = call.args;
    switch (call.op) {
    case GlOp::ClearColor: gl.clearColor(f(a[0]), f(a[1]), f(a[2]), f(a[3])); break;
    case GlOp::Clear: gl.clear(e(a[0])); break;
    case GlOp::Scissor: gl.scissor(i(a[0]), i(a[1]), i(a[2]), i(a[3])); break;
    case GlOp::Enable: gl.enable(e(a[0])); break;
    case GlOp::Disable: gl.disable(e(a[0])); break;
    case GlOp::BlendFunc: gl.blendFunc(e(a[0]), e(a[1])); break;
    case GlOp::Viewport: gl.viewport(i(a[0]), i(a[1]), i(a[2]), i(a[3])); break;
    case GlOp::MatrixMode: gl.matrixMode(e(a[0])); break;
    case GlOp::LoadIdentity: gl.loadIdentity(); break;
    case GlOp::Translate: gl.translatef(f(a[0]), f(a[1]), f(a[2])); break;
    case GlOp::Rotate: gl.rotatef(f(a[0]), f(a[1]), f(a[2]), f(a[3])); break;
    case GlOp::Scale: gl.scalef(f(a[0]), f(a[1]), f(a[2])); break;
    case GlOp::Color: gl.color4f(f(a[0]), f(a[1]), f(a[2]), f(a[3])); break;
    case GlOp::Perspective: gl.perspective(a[0], a[1], a[2], a[3]); break;
    // Runs are drawn from the buffer; toArrays keeps no loose vertices.
    case GlOp::Begin: case GlOp::End: case GlOp::Vertex: break;
    }
}

} // namespace

ArrayDrawer::ArrayDrawer(FrameArrays arrays) : frame(std::move(arrays))
{
    const BufferCalls &gl = bufferCalls();
    if (!gl.ok())
        return;
    gl.genBuffers(1, &buffer);
    gl.bindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.bufferData(GL_ARRAY_BUFFER, frame.vertices.size() * sizeof(ArrayVertex),
                  frame.vertices.data(), GL_STATIC_DRAW);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
}

ArrayDrawer::~ArrayDrawer()
{
    if (buffer)
        bufferCalls().deleteBuffers(1, &buffer);
}

void ArrayDrawer::draw() const
{
    bufferCalls().bindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ArrayVertex), nullptr);
    glColorPointer(4, GL_FLOAT, sizeof(ArrayVertex),
                   reinterpret_cast<const void *>(offsetof(ArrayVertex, r)));
    NativeGl gl;
    for (const ArrayStep &step : frame.steps) {
        if (step.call.op == GlOp::Begin)
            glDrawArrays(e(step.call.args[0]), step.first, step.count);
        else
            replay(gl, step.call);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bufferCalls().bindBuffer(GL_ARRAY_BUFFER, 0);
}
