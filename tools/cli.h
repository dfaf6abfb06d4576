#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// What the tools' command lines have in common. Every tool exits with 0 when
// done, kExitFailed on a failure and kExitUsage on a usage mistake, and says
// each problem in one line on stderr after its name.

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The options given, each with its value ("" for a flag).
using GivenOptions = std::map<std::string, std::string>;

struct Tool {
    const char *name;                 // "ostre3-capture"
    const char *usage;                // the synopsis, ending in a newline
    std::set<std::string> withValue;  // options that take a value
    std::set<std::string> flags;      // options that take none

    // --version alone prints the name and the project's version, --help
    // alone the usage, both on stdout; no arguments at all print the usage
    // on stderr. The status to exit with when one of these was given.
    std::optional<int> answerAlone(int argc, char **argv) const;

    // Each option's value is the next argument: one that is empty or looks
    // like another option (a dash, then no digit) is missing. Each option
    // may be given once. None, with the problem in one line, for anything
    // else.
    std::optional<GivenOptions> parse(const std::vector<std::string> &args,
                                      std::string &problem) const;

    // The options given after the program's name; none, having answered
    // (answerAlone) or said the usage mistake, when the tool is to exit
    // with `status` instead.
    std::optional<GivenOptions> options(int argc, char **argv, int &status) const;

    // "name: message" on stderr.
    void say(const std::string &message) const;
    // Says the problem; returns kExitFailed.
    int fail(const std::string &problem) const;
    // Says the problem and where the usage is; returns kExitUsage.
    int refuse(const std::string &problem) const;
};

// True when the only argument is --version; the tool's name and the
// project's version are then printed on stdout.
bool printVersionIfAsked(const char *tool, int argc, char **argv);

// Strict parsers for the options' values: the whole text must match.

std::optional<std::int32_t> parseTime(const std::string &text);

struct PaneSize {
    int width, height;
};

// "WxH" with both sides from 1 to 65535.
std::optional<PaneSize> parseSize(const std::string &text);

// The value of a required option: none, with the problem, when it is
// missing or does not parse.
std::optional<std::int32_t> requiredTime(const GivenOptions &given, const std::string &option,
                                         std::string &problem);
std::optional<PaneSize> requiredSize(const GivenOptions &given, const std::string &option,
                                     std::string &problem);

// The value of an option that may be left out, read into `value` when
// given; false, with the problem, when it does not parse.
bool readTime(const GivenOptions &given, const std::string &option, std::int32_t &value,
              std::string &problem);
bool readSize(const GivenOptions &given, const std::string &option, PaneSize &value,
              std::string &problem);
