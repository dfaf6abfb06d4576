#include "child_process.h"

#include "write_all.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

int anonymousFile()
{
    char name[] = "/tmp/ostre3-child-XXXXXX";
    const int fd = mkostemp(name, O_CLOEXEC);
    if (fd >= 0)
        unlink(name);
    return fd;
}

} // namespace

std::unique_ptr<ChildProcess> ChildProcess::start(const std::vector<std::string> &argv,
                                                  std::string &error)
{
    std::unique_ptr<ChildProcess> child(new ChildProcess);
    int pipeEnds[2];
    child->outputFile = anonymousFile();
    if (child->outputFile < 0 || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = "cannot run " + argv[0] + ": " + std::strerror(errno);
        return nullptr;
    }
    child->input = pipeEnds[1];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawn_file_actions_adddup2(&actions, child->outputFile, 1);
    posix_spawn_file_actions_adddup2(&actions, child->outputFile, 2);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);  // we ignore it; the child should not
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);

    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const int failed = posix_spawnp(&child->pid, args[0], &actions, &attributes, args.data(),
                                    environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeEnds[0]);
    if (failed != 0) {
        child->pid = -1;
        error = "cannot run " + argv[0] + ": " + std::strerror(failed);
        return nullptr;
    }
    return child;
}

ChildProcess::~ChildProcess()
{
    closeInput();
    if (pid > 0) {
        kill(pid, SIGTERM);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (outputFile >= 0)
        close(outputFile);
}

bool ChildProcess::feed(const void *data, std::size_t size)
{
    return input >= 0 && writeAll(input, data, size);  // EPIPE: the child has gone
}

void ChildProcess::closeInput()
{
    if (input >= 0)
        close(input);
    input = -1;
}

bool ChildProcess::finish()
{
    closeInput();
    if (pid > 0) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        pid = -1;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ChildProcess::output() const
{
    std::string text;
    char buffer[4096];
    off_t at = 0;
    ssize_t got;
    while ((got = pread(outputFile, buffer, sizeof buffer, at)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
        at += got;
    }
    return text;
}

std::string ChildProcess::lastLine() const
{
    const std::string text = output();
    const auto end = text.find_last_not_of("\r\n \t");
    if (end != std::string::npos) {
        const auto newline = text.find_last_of("\r\n", end);
        const auto begin = newline == std::string::npos ? 0 : newline + 1;
        return text.substr(begin, end + 1 - begin);
    }
    if (WIFSIGNALED(status))
        return std::string("killed by ") + strsignal(WTERMSIG(status));
    return "exit status " + std::to_string(WEXITSTATUS(status));
}
