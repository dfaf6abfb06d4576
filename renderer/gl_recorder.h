#pragma once

#include "gl_calls.h"

#include <array>
#include <string>
#include <tuple>
#include <vector>

// Which call a recorded call is, one for each call in gl_calls.h.
enum class GlOp {
#define OSTRE3_GL_OP(Op, ...) Op,
    OSTRE3_GL_CALLS(OSTRE3_GL_OP)
#undef OSTRE3_GL_OP
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

#define OSTRE3_RECORDED_CALL(Op, method, function, parameters, arguments, kinds) \
    void method parameters { add(GlOp::Op, std::make_tuple arguments); }
    OSTRE3_GL_CALLS(OSTRE3_RECORDED_CALL)
#undef OSTRE3_RECORDED_CALL

private:
    template <class... A>
    void add(GlOp op, const std::tuple<A...> &arguments)
    {
        GlCall call{op, {}};
        std::apply([&call](A... a) { call.args = {static_cast<double>(a)...}; }, arguments);
        calls.push_back(call);
    }
};

// One call as a trace line: the GL name, then its arguments separated by
// single spaces (floats with %.9g, doubles with %.17g, enums by name).
std::string formatCall(const GlCall &call);
