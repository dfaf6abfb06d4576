// ostre3-trace: prints the GL calls of one frame, one call a line.

#include "cli.h"
#include "drawing_surface.h"
#include "gl_recorder.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] = "usage: ostre3-trace --time T --size WxH [--unresized] [--setup]\n"
                      "       ostre3-trace --version\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (printVersionIfAsked("ostre3-trace", argc, argv))
        return 0;
    std::optional<std::int32_t> time;
    std::optional<PaneSize> size;
    bool unresized = false;
    bool setup = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--time" && hasValue && !time)
            time = parseTime(argv[++i]);
        else if (arg == "--size" && hasValue && !size)
            size = parseSize(argv[++i]);
        else if (arg == "--unresized")
            unresized = true;
        else if (arg == "--setup")
            setup = true;
        else
            return usage();
        if ((arg == "--time" && !time) || (arg == "--size" && !size))
            return usage();
    }
    if (!time || !size)
        return usage();

    GlRecorder gl;
    DrawingSurface surface(size->width, size->height);
    surface.initialize(gl);
    if (!unresized)
        surface.resize(gl, size->width, size->height);
    // Without --setup the trace holds the frame's own calls alone.
    if (!setup)
        gl.calls.clear();
    surface.draw(gl, *time);

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
    return std::fflush(stdout) == 0 ? 0 : 1;
}
