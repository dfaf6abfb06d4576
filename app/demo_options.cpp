#include "demo_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char kDemoUsage[] =
    "usage: ostre3 [--gentle] [--audio-delay MS] [--frame-log FILE] [--stats]\n"
    "Plays the demo full screen with 1991.mp3 from the working directory, or\n"
    "with its own soundtrack. Escape quits, Space pauses, Left and Right jump\n"
    "5 s, F or F11 toggle full screen.\n"
    // kFlashWarning (flash_warning.h), as the picture shows it
    "Warning: this demo contains flashing lights and rapid cuts.\n"
    "  --gentle          the gentle picture: no flashes, slower turns and\n"
    "                    softer beats, in the same light and colours\n"
    "  --audio-delay MS  the sound reaches you MS milliseconds later than the\n"
    "                    system reports (a Bluetooth headset adds about 200):\n"
    "                    the picture waits as long; from -1000 to 10000\n"
    "  --frame-log FILE  writes a line per picture: when it was painted, when it\n"
    "                    went to the display, the scene time drawn and the\n"
    "                    moment it was drawn for (ms of the monotonic clock)\n"
    "  --stats           at exit, one line on the pictures shown: how many, at\n"
    "                    what refresh rate, repeated and late ones, and the\n"
    "                    largest correction of the clock's rate\n"
    "  --help            this text\n"
    "  --version         the version\n";

namespace {

bool parseDelay(const char *text, std::int64_t &ms)
{
    if (*text == '\0')
        return false;
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < kMinAudioDelayMs || value > kMaxAudioDelayMs)
        return false;
    ms = value;
    return true;
}

// An option that takes a value, given as "--name VALUE" or "--name=VALUE".
bool names(const char *arg, const char *name)
{
    const std::size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 && (arg[length] == '\0' || arg[length] == '=');
}

// The value of the option `names` found at argv[i], moving i past it; nullptr
// when it is missing.
const char *valueOf(const char *name, int argc, const char *const *argv, int &i)
{
    const char *arg = argv[i] + std::strlen(name);
    if (*arg == '=')
        return arg + 1;
    return ++i < argc ? argv[i] : nullptr;
}

DemoOptions failure(std::string message)
{
    DemoOptions options;
    options.action = DemoOptions::Action::Error;
    options.error = std::move(message);
    return options;
}

} // namespace

DemoOptions parseDemoOptions(int argc, const char *const *argv)
{
    DemoOptions options;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            options.action = DemoOptions::Action::Help;
        } else if (std::strcmp(arg, "--version") == 0) {
            options.action = DemoOptions::Action::Version;
        } else if (std::strcmp(arg, "--gentle") == 0) {
            options.gentle = true;
        } else if (std::strcmp(arg, "--stats") == 0) {
            options.stats = true;
        } else if (names(arg, "--audio-delay")) {
            const char *value = valueOf("--audio-delay", argc, argv, i);
            if (!value || !parseDelay(value, options.audioDelayMs))
                return failure("--audio-delay takes whole milliseconds from -1000 to 10000");
        } else if (names(arg, "--frame-log")) {
            const char *value = valueOf("--frame-log", argc, argv, i);
            if (!value || *value == '\0')
                return failure("--frame-log takes the name of the file to write");
            options.frameLog = value;
        } else {
            return failure(std::string("unknown argument '") + arg + "'");
        }
    }
    return options;
}
