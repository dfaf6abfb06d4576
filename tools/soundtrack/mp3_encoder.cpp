#include "mp3_encoder.h"

#include "child_process.h"
#include "wav_writer.h"

#include <csignal>

namespace {

// Ignores SIGPIPE while alive, so that an encoder dying early shows as a
// failed write instead of killing us.
class IgnoredSigpipe {
public:
    IgnoredSigpipe() { previous = std::signal(SIGPIPE, SIG_IGN); }
    ~IgnoredSigpipe() { std::signal(SIGPIPE, previous); }

private:
    void (*previous)(int);
};

} // namespace

bool encodeMp3(const std::vector<std::int16_t> &samples, const std::string &path, std::string &error)
{
    std::string why;
    const auto lame = ChildProcess::start({"lame", "--quiet", "-r", "-s", "44.1", "--bitwidth", "16",
                                           "--signed", "--little-endian", "-m", "j", "-b", "192",
                                           "-q", "2", "-", path},
                                          why);
    if (!lame) {
        error = "cannot run the MP3 encoder lame (install the lame package): " + why;
        return false;
    }
    bool written;
    {
        const IgnoredSigpipe guard;
        const std::vector<char> bytes = pcm16Bytes(samples);
        written = lame->feed(bytes.data(), bytes.size());
    }
    if (!lame->finish())
        error = "the MP3 encoder lame failed: " + lame->lastLine();
    else if (!written)
        error = "the MP3 encoder lame stopped reading its input";
    else
        return true;
    return false;
}
