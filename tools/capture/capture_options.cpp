#include "capture_options.h"

#include <map>
#include <set>
#include <sys/stat.h>

const char kCaptureUsage[] =
    "usage: ostre3-capture --time T [--size WxH] --out FILE.png\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] --out DIR/\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] [--audio FILE] --out "
    "FILE.mp4\n"
    "       ostre3-capture [--size WxH] --contact-sheet FILE.png\n"
    "       ostre3-capture [--from T0] [--to T1] [--fps F] [--size WxH] --flashes\n"
    "       ostre3-capture --help | --version\n"
    "times in ms; defaults: the whole demo (0 to the timeline's end), 60 fps, 1920x1080\n"
    "(640x360 for each contact-sheet tile), music 1991.mp3\n"
    "--gentle renders the gentle picture; --flashes prints every second with more than\n"
    "three flashes (WCAG 2.3.1) and exits with status 3 when there is one\n";

namespace {

// Nine tiles of this size already make an image of over 400 MB.
constexpr int kMaxSheetTile = 4096;

const std::set<std::string> kOptions{"--time", "--from", "--to", "--fps", "--size",
                                     "--out", "--audio", "--contact-sheet"};
// Options that take no value.
const std::set<std::string> kFlags{"--flashes", "--gentle"};

bool endsWith(const std::string &text, const std::string &end)
{
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool isDirectory(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<OutputKind> kindOf(const std::map<std::string, std::string> &given)
{
    if (given.count("--contact-sheet"))
        return OutputKind::ContactSheet;
    if (given.count("--flashes"))
        return OutputKind::Flashes;
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
    case OutputKind::Still: return {"--from", "--to", "--fps", "--audio"};
    case OutputKind::Frames: return {"--time", "--audio"};
    case OutputKind::Video: return {"--time"};
    case OutputKind::ContactSheet:
        return {"--time", "--from", "--to", "--fps", "--audio", "--out", "--flashes"};
    case OutputKind::Flashes: return {"--time", "--audio", "--out"};
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
    }
    return "";
}

bool readTime(const std::map<std::string, std::string> &given, const std::string &option,
              std::int32_t &value, std::string &problem)
{
    const auto it = given.find(option);
    if (it == given.end())
        return true;
    const auto parsed = parseTime(it->second);
    if (!parsed) {
        problem = "bad " + option.substr(2) + " " + it->second
            + " (milliseconds, a 32-bit integer)";
        return false;
    }
    value = *parsed;
    return true;
}

} // namespace

std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string> &args,
                                                  std::string &problem)
{
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string &option = args[i];
        if (kFlags.count(option)) {
            if (!given.emplace(option, "").second) {
                problem = option + " given twice";
                return std::nullopt;
            }
            --i;  // no value to skip
            continue;
        }
        if (!kOptions.count(option)) {
            problem = "unknown argument " + option;
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            problem = option + " needs a value";
            return std::nullopt;
        }
        if (!given.emplace(option, args[i + 1]).second) {
            problem = option + " given twice";
            return std::nullopt;
        }
    }
    if (!given.count("--out") && !given.count("--contact-sheet") && !given.count("--flashes")) {
        problem = "--out (or --contact-sheet, or --flashes) is required";
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
    else if (options.kind != OutputKind::Flashes)
        options.out = given.at("--out");
    if (given.count("--audio"))
        options.music = given.at("--audio");

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
    if (given.count("--size")) {
        const auto size = parseSize(given.at("--size"));
        if (!size) {
            problem = "bad size " + given.at("--size") + " (WxH, 1 to 65535 pixels a side)";
            return std::nullopt;
        }
        options.size = *size;
    }
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
