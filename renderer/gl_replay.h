#pragma once

// Makes a recorded call again through any call layer: a frame recorded
// once can be drawn later without the scene that made it.

#include "gl_recorder.h"

#include <array>
#include <cstddef>
#include <utility>

namespace gl_replay {

// Each recorded argument goes back to the type of its parameter.
template <class Gl, class... P, std::size_t... I>
void callWith(Gl &gl, void (Gl::*method)(P...), const std::array<double, 4> &args,
              std::index_sequence<I...>)
{
    (gl.*method)(static_cast<P>(args[I])...);
}

template <class Gl, class... P>
void call(Gl &gl, void (Gl::*method)(P...), const std::array<double, 4> &args)
{
    callWith(gl, method, args, std::index_sequence_for<P...>{});
}

} // namespace gl_replay

template <class Gl>
void replayCall(Gl &gl, const GlCall &call)
{
    switch (call.op) {
#define OSTRE3_REPLAY_CALL(Op, method, ...) \
    case GlOp::Op: gl_replay::call(gl, &Gl::method, call.args); break;
    OSTRE3_GL_CALLS(OSTRE3_REPLAY_CALL)
#undef OSTRE3_REPLAY_CALL
    }
}
