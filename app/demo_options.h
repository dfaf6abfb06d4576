#pragma once

#include <cstdint>
#include <string>

// What ostre3 is asked to do from its command line (after Qt has taken its
// own options out).
struct DemoOptions
{
    enum class Action { Play, Help, Version, Error };
    Action action = Action::Play;
    std::int64_t audioDelayMs = 0;
    bool gentle = false;
    std::string frameLog; // --frame-log: where to write one line per picture
    bool stats = false;   // --stats: one line on the pictures at exit
    std::string error;    // one line, for Action::Error
};

constexpr std::int64_t kMinAudioDelayMs = -1000;
constexpr std::int64_t kMaxAudioDelayMs = 10000;

DemoOptions parseDemoOptions(int argc, const char *const *argv);

extern const char kDemoUsage[];
