#include "mp3_encoder.h"

#include "wav_writer.h"
#include "write_all.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// The last non-empty line lame wrote to its error stream.
std::string lastLine(std::FILE *log)
{
    std::rewind(log);
    std::string line, last;
    for (int c = std::fgetc(log); c != EOF; c = std::fgetc(log)) {
        if (c != '\n' && c != '\r') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (line.find_first_not_of(" \t") != std::string::npos)
            last = line;
        line.clear();
    }
    return line.find_first_not_of(" \t") != std::string::npos ? line : last;
}

// Ignores SIGPIPE while alive, so that an encoder dying early shows as a
// failed write instead of killing us.
class IgnoredSigpipe {
public:
    IgnoredSigpipe() { previous_ = std::signal(SIGPIPE, SIG_IGN); }
    ~IgnoredSigpipe() { std::signal(SIGPIPE, previous_); }

private:
    void (*previous_)(int);
};

} // namespace

bool encodeMp3(const std::vector<std::int16_t> &samples, const std::string &path, std::string &error)
{
    std::FILE *log = std::tmpfile();
    int pipeFds[2];
    if (!log || pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = std::string("cannot start the MP3 encoder: ") + std::strerror(errno);
        if (log)
            std::fclose(log);
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(log), STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    const char *argv[] = {"lame", "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", "--signed",
                          "--little-endian", "-m", "j", "-b", "192", "-q", "2", "-", path.c_str(),
                          nullptr};
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "lame", &actions, &attributes,
                                     const_cast<char *const *>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeFds[0]);
    if (spawned != 0) {
        close(pipeFds[1]);
        std::fclose(log);
        error = std::string("cannot run the MP3 encoder lame (install the lame package): ")
              + std::strerror(spawned);
        return false;
    }

    bool written;
    {
        const IgnoredSigpipe guard;
        const std::vector<char> bytes = pcm16Bytes(samples);
        written = writeAll(pipeFds[1], bytes.data(), bytes.size());
        close(pipeFds[1]);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const std::string message = lastLine(log);
    std::fclose(log);

    if (WIFSIGNALED(status))
        error = "the MP3 encoder lame was killed by signal " + std::to_string(WTERMSIG(status));
    else if (WEXITSTATUS(status) != 0)
        error = "the MP3 encoder lame failed: "
              + (message.empty() ? "exit status " + std::to_string(WEXITSTATUS(status)) : message);
    else if (!written)
        error = "the MP3 encoder lame stopped reading its input";
    else
        return true;
    return false;
}
