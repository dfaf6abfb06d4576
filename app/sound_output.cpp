#include "sound_output.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A server listens on the socket at path (a stale socket file does not).
bool answers(const std::string &path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

bool hasPlayingCard(const std::string &cards)
{
    std::ifstream list(cards);
    for (std::string line; std::getline(list, line);)
        if (line.find("playback") != std::string::npos)
            return true;
    return false;
}

// A PulseAudio server (or PipeWire's stand-in) where its clients look for
// one: PULSE_SERVER alone where it is set.
bool pulseAnswers(const SoundPlaces &places)
{
    const std::string &server = places.pulseServer;
    if (server.empty())
        return (!places.runtimeDir.empty() && answers(places.runtimeDir + "/pulse/native"))
               || answers(places.systemPulse);
    const std::string unixPrefix = "unix:";
    if (server.rfind(unixPrefix, 0) == 0)
        return answers(server.substr(unixPrefix.size()));
    // Only a local socket can be tried; a server elsewhere is taken at its
    // word.
    return server[0] != '/' || answers(server);
}

} // namespace

SoundPlaces SoundPlaces::ofThisSession()
{
    SoundPlaces places;
    if (const char *server = std::getenv("PULSE_SERVER"))
        places.pulseServer = server;
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"))
        places.runtimeDir = runtime;
    return places;
}

std::string soundOutputProblem(const SoundPlaces &places)
{
    if (pulseAnswers(places) || (!places.runtimeDir.empty() && answers(places.runtimeDir + "/pipewire-0"))
        || hasPlayingCard(places.cards))
        return {};
    return "no sound output: no sound server answers and there is no sound card";
}
