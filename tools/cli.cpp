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

} // namespace

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

bool printVersionIfAsked(const char *tool, int argc, char **argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", tool, OSTRE3_VERSION);
    return true;
}
