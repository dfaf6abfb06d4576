#include "array_drawer.h"

#include "gl_replay.h"
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
    // Runs are drawn from the buffer; the steps hold no loose vertices or
    // ends, only the calls between runs, which are made as recorded.
    NativeGl gl;
    for (const ArrayStep &step : frame.steps) {
        if (step.call.op == GlOp::Begin)
            glDrawArrays(static_cast<GLenum>(step.call.args[0]), step.first, step.count);
        else
            replayCall(gl, step.call);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bufferCalls().bindBuffer(GL_ARRAY_BUFFER, 0);
}
