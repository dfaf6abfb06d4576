// Whether anything can be heard: sound servers that answer or not, sound
// cards that play or only record.
#include "sound_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket at path; listening on it, or left behind by a server gone.
int serve(const std::string &path, bool listening)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    if (listening)
        listen(fd, 1);
    return fd;
}

} // namespace

TEST(SoundOutput, OnlyAServerThatAnswersOrACardThatPlaysIsHeard)
{
    char pattern[] = "/tmp/ostre3-sound-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    mkdir((dir + "/pulse").c_str(), 0700);
    SoundPlaces places;
    places.runtimeDir = dir;
    places.systemPulse = dir + "/system";
    places.cards = dir + "/pcm";
    std::ofstream(places.cards) << "00-00: ALC892 Analog : ALC892 Analog : capture 1\n";
    EXPECT_NE(soundOutputProblem(places), "");

    const int gone = serve(dir + "/pulse/native", false);
    close(gone);
    EXPECT_NE(soundOutputProblem(places), "") << "a stale socket";
    unlink((dir + "/pulse/native").c_str());
    const int server = serve(dir + "/pulse/native", true);
    EXPECT_EQ(soundOutputProblem(places), "");
    places.pulseServer = "unix:" + dir + "/elsewhere";
    EXPECT_NE(soundOutputProblem(places), "") << "PULSE_SERVER says where the server is";
    places.pulseServer = "tcp:192.0.2.1:4713";
    EXPECT_EQ(soundOutputProblem(places), "") << "a server elsewhere is taken at its word";
    close(server);

    places.pulseServer.clear();
    unlink((dir + "/pulse/native").c_str());
    std::ofstream(places.cards, std::ios::app) << "01-03: HDMI 0 : HDMI 0 : playback 1\n";
    EXPECT_EQ(soundOutputProblem(places), "");
    unlink(places.cards.c_str());
    rmdir((dir + "/pulse").c_str());
    rmdir(dir.c_str());
}
