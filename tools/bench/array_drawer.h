#pragma once

#include "frame_arrays.h"

#include <GL/gl.h>

// Draws one FrameArrays from a vertex buffer filled once, in the GL context
// current at construction.
class ArrayDrawer {
public:
    explicit ArrayDrawer(FrameArrays frame);
    ~ArrayDrawer();
    ArrayDrawer(const ArrayDrawer &) = delete;
    ArrayDrawer &operator=(const ArrayDrawer &) = delete;

    // False when this GL lacks vertex buffers.
    bool ok() const { return buffer != 0; }

    void draw() const;

private:
    FrameArrays frame;
    GLuint buffer = 0;
};
