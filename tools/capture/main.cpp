// ostre3-capture: renders frames of the demo headless, at any size.

#include "cli.h"
#include "offscreen_gl.h"
#include "png_file.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] = "usage: ostre3-capture --time T --size WxH --out FILE.png\n";

int usage(const std::string &problem)
{
    std::fprintf(stderr, "ostre3-capture: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

int fail(const std::string &problem)
{
    std::fprintf(stderr, "ostre3-capture: %s\n", problem.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    std::optional<std::int32_t> time;
    PaneSize size{1920, 1080};
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage(arg == "--time" || arg == "--size" || arg == "--out"
                             ? arg + " needs a value" : "unknown argument " + arg);
        const std::string value = argv[++i];
        if (arg == "--time") {
            time = parseTime(value);
            if (!time)
                return usage("bad time " + value + " (milliseconds, a 32-bit integer)");
        } else if (arg == "--size") {
            const auto parsed = parseSize(value);
            if (!parsed)
                return usage("bad size " + value + " (WxH, 1 to 65535 pixels a side)");
            size = *parsed;
        } else if (arg == "--out") {
            out = value;
        } else {
            return usage("unknown argument " + arg);
        }
    }
    if (!time || out.empty())
        return usage("--time and --out are required");

    std::string error;
    const auto gl = OffscreenGl::create(size.width, size.height, error);
    if (!gl)
        return fail(error);
    if (!writePng(out, size.width, size.height, gl->render(*time), error))
        return fail(error);
    return 0;
}
