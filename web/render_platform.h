#pragma once

// What the web build's renderer draws with and counts in (the desktop
// build's is renderer/native/render_platform.h).

#include "double_double.h"
#include "webgl_gl.h"

// The call layer that draws on screen: WebGL.
using ScreenGl = WebGl;

// The scenes' intermediate values. WebAssembly's long double is binary128
// in software, so they are carried in a faster double-double, which rounds
// them only more finely than the desktop's x87 extended.
using WideFloat = DoubleDouble;

// How NullGl hands a value to its empty asm statement: WebAssembly's
// backend takes register operands only.
#define OSTRE3_KEPT_OPERAND "r"
