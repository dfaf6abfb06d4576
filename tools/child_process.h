#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// A helper program (ffmpeg, ffprobe, lame) fed through a pipe on its standard
// input. It runs in a process group of its own, so Ctrl-C on the terminal
// reaches only us and we decide when its input ends; what it prints goes
// to an anonymous file, read back to explain a failure.
class ChildProcess {
public:
    // Null, with the reason in `error`, when the program cannot be run.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string> &argv,
                                               std::string &error);
    // Stops an unfinished child rather than leave it running.
    ~ChildProcess();

    // False once the child no longer reads (it exited or failed).
    bool feed(const void *data, std::size_t size);

    // Ends its input and waits for it; true when it exited with status 0.
    bool finish();

    // Everything it printed on stdout and stderr.
    std::string output() const;

    // Its last non-empty line of output, or how it ended.
    std::string lastLine() const;

private:
    ChildProcess() = default;
    void closeInput();

    pid_t pid = -1;
    int input = -1;
    int outputFile = -1;
    int status = 0;
};
