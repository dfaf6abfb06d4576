#pragma once

// What the desktop build's renderer draws with and counts in. Each build
// puts a render_platform.h of its own on the renderer's include path; the
// web build's is web/render_platform.h.

#include "native_gl.h"
#include "wide_float.h"

// The call layer that draws on screen: OpenGL.
using ScreenGl = NativeGl;

// How NullGl hands a value to its empty asm statement: in any operand.
#define OSTRE3_KEPT_OPERAND "g"
