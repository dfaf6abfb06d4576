#include "gl_recorder.h"

#include <cstdio>
#include <initializer_list>

namespace {

std::string hexName(double value)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(value));
    return hex;
}

struct EnumName {
    GLenum value;
    const char *name;
};
#define OSTRE3_ENUM_NAME(e) EnumName{e, #e}

// GL reuses enum values across kinds (GL_LINES and GL_ONE are both 1), so
// each call names its arguments from its own kind's list.
std::string nameIn(std::initializer_list<EnumName> names, double value)
{
    for (const EnumName &known : names)
        if (known.value == static_cast<GLenum>(value))
            return known.name;
    return hexName(value);
}

std::string primitiveName(double value)
{
    return nameIn({OSTRE3_ENUM_NAME(GL_LINES), OSTRE3_ENUM_NAME(GL_LINE_STRIP),
                   OSTRE3_ENUM_NAME(GL_QUADS)},
                  value);
}

std::string capabilityName(double value)
{
    return nameIn({OSTRE3_ENUM_NAME(GL_SCISSOR_TEST), OSTRE3_ENUM_NAME(GL_DEPTH_TEST),
                   OSTRE3_ENUM_NAME(GL_BLEND)},
                  value);
}

std::string blendFactorName(double value)
{
    return nameIn({OSTRE3_ENUM_NAME(GL_ONE)}, value);
}

std::string matrixModeName(double value)
{
    return nameIn({OSTRE3_ENUM_NAME(GL_PROJECTION), OSTRE3_ENUM_NAME(GL_MODELVIEW)}, value);
}

#undef OSTRE3_ENUM_NAME

std::string maskName(double value)
{
    const auto mask = static_cast<GLbitfield>(value);
    std::string text;
    if (mask & GL_COLOR_BUFFER_BIT)
        text = "GL_COLOR_BUFFER_BIT";
    if (mask & GL_DEPTH_BUFFER_BIT)
        text += text.empty() ? "GL_DEPTH_BUFFER_BIT" : "|GL_DEPTH_BUFFER_BIT";
    return text.empty() ? "0" : text;
}

// How a trace prints an argument; the kinds column of gl_calls.h names them.
namespace argument_kinds {
enum Kind { Float, Double, Int, Mask, Capability, BlendFactor, MatrixMode, Primitive };
}

std::string number(const char *format, double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string argumentText(argument_kinds::Kind kind, double value)
{
    using namespace argument_kinds;
    switch (kind) {
    case Float: return number("%.9g", value);
    case Double: return number("%.17g", value);
    case Int: return number("%.0f", value);
    case Mask: return maskName(value);
    case Capability: return capabilityName(value);
    case BlendFactor: return blendFactorName(value);
    case MatrixMode: return matrixModeName(value);
    case Primitive: return primitiveName(value);
    }
    return "?";
}

std::string callText(const char *name, const GlCall &call,
                     std::initializer_list<argument_kinds::Kind> kinds)
{
    std::string text = name;
    std::size_t i = 0;
    for (const argument_kinds::Kind kind : kinds) {
        text += ' ';
        text += argumentText(kind, call.args[i++]);
    }
    return text;
}

} // namespace

std::string formatCall(const GlCall &call)
{
    using namespace argument_kinds;
    switch (call.op) {
#define OSTRE3_FORMAT_CALL(Op, method, function, parameters, arguments, kinds) \
    case GlOp::Op: return callText(#function, call, {OSTRE3_GL_UNWRAP kinds});
    OSTRE3_GL_CALLS(OSTRE3_FORMAT_CALL)
#undef OSTRE3_FORMAT_CALL
    }
    return "?";
}
