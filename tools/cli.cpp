#include "cli.h"
#include "ostre3_version.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

std::optional<long long> parseInteger(const std::string &text)
{
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == text.c_str())
        return std::nullopt;
    return value;
}

// "-500" is a value, "--out" or "-x" an option.
bool looksLikeAnOption(const std::string &text)
{
    return text.size() > 1 && text[0] == '-' && (text[1] < '0' || text[1] > '9');
}

// The value of `option` through `parse`; a problem says "bad NAME TEXT HINT".
template <class T>
std::optional<T> requiredValue(const GivenOptions &given, const std::string &option,
                               std::string &problem, std::optional<T> (*parse)(const std::string &),
                               const std::string &name, const char *hint)
{
    const auto it = given.find(option);
    if (it == given.end()) {
        problem = option + " is required";
        return std::nullopt;
    }
    const auto parsed = parse(it->second);
    if (!parsed)
        problem = "bad " + name + " " + it->second + " " + hint;
    return parsed;
}

template <class T>
bool readInto(T &value, const std::optional<T> &parsed)
{
    if (parsed)
        value = *parsed;
    return parsed.has_value();
}

} // namespace

std::optional<int> Tool::answerAlone(int argc, char **argv) const
{
    if (printVersionIfAsked(name, argc, argv))
        return 0;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 1) {
        std::fputs(usage, stderr);
        return kExitUsage;
    }
    return std::nullopt;
}

std::optional<GivenOptions> Tool::options(int argc, char **argv, int &status) const
{
    if (const auto answered = answerAlone(argc, argv)) {
        status = *answered;
        return std::nullopt;
    }
    std::string problem;
    auto given = parse({argv + 1, argv + argc}, problem);
    if (!given)
        status = refuse(problem);
    return given;
}

void Tool::say(const std::string &message) const
{
    std::fprintf(stderr, "%s: %s\n", name, message.c_str());
}

int Tool::fail(const std::string &problem) const
{
    say(problem);
    return kExitFailed;
}

int Tool::refuse(const std::string &problem) const
{
    say(problem + " (--help shows the usage)");
    return kExitUsage;
}

std::optional<GivenOptions> Tool::parse(const std::vector<std::string> &args,
                                        std::string &problem) const
{
    GivenOptions given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &option = args[i];
        std::string value;
        if (withValue.count(option)) {
            if (i + 1 >= args.size() || args[i + 1].empty() || looksLikeAnOption(args[i + 1])) {
                problem = option + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        } else if (!flags.count(option)) {
            problem = "unknown argument " + option;
            return std::nullopt;
        }
        if (!given.emplace(option, value).second) {
            problem = option + " given twice";
            return std::nullopt;
        }
    }
    return given;
}

std::optional<std::int32_t> parseTime(const std::string &text)
{
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min()
        || *value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<PaneSize> parseSize(const std::string &text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = parseInteger(text.substr(0, x));
    const auto h = parseInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > 65535 || *h > 65535)
        return std::nullopt;
    return PaneSize{static_cast<int>(*w), static_cast<int>(*h)};
}

std::optional<std::int32_t> requiredTime(const GivenOptions &given, const std::string &option,
                                         std::string &problem)
{
    return requiredValue(given, option, problem, parseTime, option.substr(2),
                         "(milliseconds, a 32-bit integer)");
}

std::optional<PaneSize> requiredSize(const GivenOptions &given, const std::string &option,
                                     std::string &problem)
{
    return requiredValue(given, option, problem, parseSize, "size",
                         "(WxH, 1 to 65535 pixels a side)");
}

bool readTime(const GivenOptions &given, const std::string &option, std::int32_t &value,
              std::string &problem)
{
    return !given.count(option) || readInto(value, requiredTime(given, option, problem));
}

bool readSize(const GivenOptions &given, const std::string &option, PaneSize &value,
              std::string &problem)
{
    return !given.count(option) || readInto(value, requiredSize(given, option, problem));
}

bool printVersionIfAsked(const char *tool, int argc, char **argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", tool, OSTRE3_VERSION);
    return true;
}
