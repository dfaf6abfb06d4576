#include "capture_options.h"

#include <set>
#include <sys/stat.h>

const char kCaptureUsage[] =
    "usage: ostre3-capture --time T [--size WxH] --out FILE.png\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] --out DIR/\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] [--audio FILE] --out "
    "FILE.mp4\n"
    "       ostre3-capture [--size WxH] --contact-sheet FILE.png\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] --flashes [--heatmap DIR]\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] --light\n"
    "       ostre3-capture --help | --version\n"
    "times in ms; defaults: the whole demo (0 to the timeline's end), 60 fps, 1920x1080\n"
    "(640x360 for each contact-sheet tile), music 1991.mp3\n"
    "--gentle renders the gentle picture; --flashes prints every second with more than\n"
    "three flashes (WCAG 2.3.1) and exits with status 3 when there is one; --heatmap\n"
    "writes DIR/second_N.png for each, the frame where it flashes most, outlined;\n"
    "--light prints, scene by scene, how much of the normal picture's mean luminance\n"
    "and RMS contrast the gentle one keeps, and exits with status 3 when a scene\n"
    "keeps less than 80 % and 70 %\n";

const Tool kCaptureTool{"ostre3-capture",
                        kCaptureUsage,
                        {"--time", "--from", "--to", "--fps", "--size", "--out", "--audio",
                         "--contact-sheet", "--heatmap"},
                        {"--flashes", "--gentle", "--light"}};

namespace {

// Nine tiles of this size already make an image of over 400 MB.
constexpr int kMaxSheetTile = 4096;

bool endsWith(const std::string &text, const std::string &end)
{
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool isDirectory(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<OutputKind> kindOf(const GivenOptions &given)
{
    if (given.count("--contact-sheet"))
        return OutputKind::ContactSheet;
    if (given.count("--flashes"))
        return OutputKind::Flashes;
    if (given.count("--light"))
        return OutputKind::Light;
    const std::string &out = given.at("--out");
    if (endsWith(out, ".png"))
        return OutputKind::Still;
    if (endsWith(out, ".mp4"))
        return OutputKind::Video;
    if (out.back() == '/' || isDirectory(out))
        return OutputKind::Frames;
    return std::nullopt;
}

// The options each kind of output has no use for.
std::set<std::string> unusedBy(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Still: return {"--from", "--to", "--fps", "--audio", "--heatmap", "--light"};
    case OutputKind::Frames: return {"--time", "--audio", "--heatmap", "--light"};
    case OutputKind::Video: return {"--time", "--heatmap", "--light"};
    case OutputKind::ContactSheet:
        return {"--time", "--from", "--to", "--fps", "--audio", "--out", "--flashes", "--heatmap",
                "--light"};
    case OutputKind::Flashes: return {"--time", "--audio", "--out", "--light"};
    case OutputKind::Light: return {"--time", "--audio", "--out", "--heatmap", "--gentle"};
    }
    return {};
}

const char *nameOf(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Still: return "a still";
    case OutputKind::Frames: return "a directory of frames";
    case OutputKind::Video: return "a video";
    case OutputKind::ContactSheet: return "a contact sheet";
    case OutputKind::Flashes: return "a flash analysis";
    case OutputKind::Light: return "a comparison of light";
    }
    return "";
}

} // namespace

std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string> &args,
                                                  std::string &problem)
{
    const auto parsed = kCaptureTool.parse(args, problem);
    if (!parsed)
        return std::nullopt;
    const GivenOptions &given = *parsed;
    if (!given.count("--out") && !given.count("--contact-sheet") && !given.count("--flashes")
        && !given.count("--light")) {
        problem = "--out (or --contact-sheet, --flashes or --light) is required";
        return std::nullopt;
    }

    CaptureOptions options;
    const auto kind = kindOf(given);
    if (!kind) {
        problem = "--out " + given.at("--out") + " is neither FILE.png, FILE.mp4 nor DIR/";
        return std::nullopt;
    }
    options.kind = *kind;
    for (const std::string &option : unusedBy(options.kind)) {
        if (given.count(option)) {
            problem = option + " does not apply to " + nameOf(options.kind);
            return std::nullopt;
        }
    }
    options.gentle = given.count("--gentle") > 0;
    if (options.kind == OutputKind::ContactSheet)
        options.out = given.at("--contact-sheet");
    else if (options.kind != OutputKind::Flashes && options.kind != OutputKind::Light)
        options.out = given.at("--out");
    if (given.count("--audio"))
        options.music = given.at("--audio");
    if (given.count("--heatmap"))
        options.heatmap = given.at("--heatmap");

    if (options.kind == OutputKind::Still && !given.count("--time")) {
        problem = "--time is required for a still";
        return std::nullopt;
    }
    if (!readTime(given, "--time", options.time, problem)
        || !readTime(given, "--from", options.range.from, problem)
        || !readTime(given, "--to", options.range.to, problem))
        return std::nullopt;
    if (options.range.from >= options.range.to) {
        problem = "empty range: --from " + std::to_string(options.range.from)
            + " is not below --to " + std::to_string(options.range.to);
        return std::nullopt;
    }
    if (given.count("--fps")) {
        const auto fps = parseTime(given.at("--fps"));
        if (!fps || *fps < 1 || *fps > 1000) {
            problem = "bad fps " + given.at("--fps") + " (a whole number from 1 to 1000)";
            return std::nullopt;
        }
        options.range.fps = *fps;
    }

    if (options.kind == OutputKind::ContactSheet)
        options.size = {640, 360};
    if (!readSize(given, "--size", options.size, problem))
        return std::nullopt;
    if (options.kind == OutputKind::ContactSheet
        && (options.size.width > kMaxSheetTile || options.size.height > kMaxSheetTile)) {
        problem = "bad size " + given.at("--size") + " for a contact-sheet tile (at most "
            + std::to_string(kMaxSheetTile) + " pixels a side)";
        return std::nullopt;
    }
    if (options.kind == OutputKind::Video && (options.size.width % 2 || options.size.height % 2)) {
        problem = "bad size " + given.at("--size") + " for a video (H.264 in yuv420p needs an "
                  "even width and height)";
        return std::nullopt;
    }
    return options;
}
