#include "gl_recorder.h"

#include <cstdio>

namespace {

std::string hexName(double value)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(value));
    return hex;
}

// GL reuses enum values across kinds (GL_LINES and GL_ONE are both 1), so
// each call names its arguments from its own kind.
std::string primitiveName(double value)
{
    switch (static_cast<GLenum>(value)) {
    case GL_LINES: return "GL_LINES";
    case GL_LINE_STRIP: return "GL_LINE_STRIP";
    case GL_QUADS: return "GL_QUADS";
    }
    return hexName(value);
}

std::string capabilityName(double value)
{
    switch (static_cast<GLenum>(value)) {
    case GL_SCISSOR_TEST: return "GL_SCISSOR_TEST";
    case GL_DEPTH_TEST: return "GL_DEPTH_TEST";
    case GL_BLEND: return "GL_BLEND";
    }
    return hexName(value);
}

std::string blendFactorName(double value)
{
    return static_cast<GLenum>(value) == GL_ONE ? "GL_ONE" : hexName(value);
}

std::string matrixModeName(double value)
{
    switch (static_cast<GLenum>(value)) {
    case GL_PROJECTION: return "GL_PROJECTION";
    case GL_MODELVIEW: return "GL_MODELVIEW";
    }
    return hexName(value);
}

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

std::string numbers(const char *name, const GlCall &call, int count, const char *format)
{
    std::string text = name;
    char buffer[40];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, format, call.args[i]);
        text += ' ';
        text += buffer;
    }
    return text;
}

std::string floats(const char *name, const GlCall &call, int count)
{
    return numbers(name, call, count, "%.9g");
}

std::string ints(const char *name, const GlCall &call)
{
    return numbers(name, call, 4, "%.0f");
}

} // namespace

std::string formatCall(const GlCall &call)
{
    switch (call.op) {
    case GlOp::ClearColor: return floats("glClearColor", call, 4);
    case GlOp::Clear: return "glClear " + maskName(call.args[0]);
    case GlOp::Scissor: return ints("glScissor", call);
    case GlOp::Enable: return "glEnable " + capabilityName(call.args[0]);
    case GlOp::Disable: return "glDisable " + capabilityName(call.args[0]);
    case GlOp::BlendFunc:
        return "glBlendFunc " + blendFactorName(call.args[0]) + ' ' + blendFactorName(call.args[1]);
    case GlOp::Viewport: return ints("glViewport", call);
    case GlOp::MatrixMode: return "glMatrixMode " + matrixModeName(call.args[0]);
    case GlOp::LoadIdentity: return "glLoadIdentity";
    case GlOp::Translate: return floats("glTranslatef", call, 3);
    case GlOp::Rotate: return floats("glRotatef", call, 4);
    case GlOp::Scale: return floats("glScalef", call, 3);
    case GlOp::Begin: return "glBegin " + primitiveName(call.args[0]);
    case GlOp::End: return "glEnd";
    case GlOp::Color: return floats("glColor4f", call, 4);
    case GlOp::Vertex: return floats("glVertex3f", call, 3);
    case GlOp::Perspective: return numbers("gluPerspective", call, 4, "%.17g");
    }
    return "?";
}
