#include "demo_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char kDemoUsage[] =
    "usage: ostre3 [--gentle] [--audio-delay MS]\n"
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
    static const char kDelay[] = "--audio-delay";
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            options.action = DemoOptions::Action::Help;
        } else if (std::strcmp(arg, "--version") == 0) {
            options.action = DemoOptions::Action::Version;
        } else if (std::strcmp(arg, "--gentle") == 0) {
            options.gentle = true;
        } else if (std::strncmp(arg, kDelay, sizeof kDelay - 1) == 0
                   && (arg[sizeof kDelay - 1] == '\0' || arg[sizeof kDelay - 1] == '=')) {
            const char *value = arg[sizeof kDelay - 1] == '=' ? arg + sizeof kDelay : (++i < argc ? argv[i] : nullptr);
            if (!value || !parseDelay(value, options.audioDelayMs))
                return failure("--audio-delay takes whole milliseconds from -1000 to 10000");
        } else {
            return failure(std::string("unknown argument '") + arg + "'");
        }
    }
    return options;
}
