#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A helper program (ffmpeg, ffprobe, lame) fed through a pipe on its standard
// input. It runs in a process group of its own, so Ctrl-C on the terminal
// reaches only us and we decide when its input ends; what it prints goes
// to an anonymous file, read back to explain a failure. After an interrupt
// (catchInterrupts) it has kGrace to take its input and finish, and none
// after a second one; then it is ended.
class ChildProcess {
public:
    static constexpr std::chrono::seconds kGrace{10};

    // Null, with the reason in `error`, when the program cannot be run.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string> &argv,
                                               std::string &error);
    // Stops an unfinished child rather than leave it running.
    ~ChildProcess();

    // False once the child no longer reads (it exited or failed), or was
    // ended.
    bool feed(const void *data, std::size_t size);

    // Ends its input and waits for it; true when it exited with status 0.
    bool finish();

    // Whether it was ended because it had not finished in its grace after
    // an interrupt.
    bool endedAfterInterrupt() const { return ended; }

    // Everything it printed on stdout and stderr.
    std::string output() const;

    // Its last non-empty line of output, or how it ended.
    std::string lastLine() const;

private:
    ChildProcess() = default;
    void closeInput();
    // Waits up to `ms` for `events` on `fd` (none: just waits), less where
    // an interrupt's grace ends sooner; false once it has ended.
    bool waitAWhile(int fd, short events, int ms);
    bool giveUp();
    void end();

    pid_t pid = -1;
    int input = -1;
    int outputFile = -1;
    int exitFd = -1;  // a pidfd, where the kernel has them
    int status = 0;
    bool ended = false;
    std::optional<std::chrono::steady_clock::time_point> graceEnd;
};
