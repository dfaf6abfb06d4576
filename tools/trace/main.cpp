// ostre3-trace: prints the GL calls of one frame, one call a line.

#include "cli.h"
#include "drawing_surface.h"
#include "gl_recorder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

const Tool kTraceTool{"ostre3-trace",
                      "usage: ostre3-trace --time T --size WxH [--unresized] [--setup] [--gentle]\n"
                      "       ostre3-trace --help | --version\n",
                      {"--time", "--size"},
                      {"--unresized", "--setup", "--gentle"}};

int main(int argc, char **argv)
{
    int status = 0;
    const auto given = kTraceTool.options(argc, argv, status);
    if (!given)
        return status;
    std::string problem;
    const auto time = requiredTime(*given, "--time", problem);
    const auto size = time ? requiredSize(*given, "--size", problem) : std::nullopt;
    if (!size)
        return kTraceTool.refuse(problem);
    const bool unresized = given->count("--unresized") > 0;
    const bool setup = given->count("--setup") > 0;

    GlRecorder gl;
    DrawingSurface surface(size->width, size->height);
    surface.initialize(gl);
    if (!unresized)
        surface.resize(gl, size->width, size->height);
    // Without --setup the trace holds the frame's own calls alone.
    if (!setup)
        gl.calls.clear();
    surface.draw(gl, *time, given->count("--gentle") > 0);

    std::string out;
    for (const GlCall &call : gl.calls) {
        out += formatCall(call);
        out += '\n';
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0)
        return kTraceTool.fail(std::string("cannot write the trace: ") + std::strerror(errno));
    return 0;
}
