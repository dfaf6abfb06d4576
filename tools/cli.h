#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Strict parsers for the tools' arguments: the whole text must match.

std::optional<std::int32_t> parseTime(const std::string &text);

struct PaneSize {
    int width, height;
};

// "WxH" with both sides from 1 to 65535.
std::optional<PaneSize> parseSize(const std::string &text);

// True when the only argument is --version; the tool's name and the
// project's version are then printed on stdout.
bool printVersionIfAsked(const char *tool, int argc, char **argv);
