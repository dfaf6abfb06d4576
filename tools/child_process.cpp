#include "child_process.h"

#include "interrupt.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
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

// The longest a wait on the child goes without looking at the interrupts:
// one may have been handled by another thread, which wakes no poll here.
constexpr int kLookMs = 200;

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
    // Our end never blocks, so that a child that stops reading can be
    // waited for a bounded time; its end stays as programs expect it.
    fcntl(child->input, F_SETFL, O_NONBLOCK);

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
    // Readable once the child has exited (Linux 5.3 on); without it, its
    // end is looked for every few milliseconds.
    child->exitFd = static_cast<int>(syscall(SYS_pidfd_open, child->pid, 0));
    return child;
}

ChildProcess::~ChildProcess()
{
    closeInput();
    end();
    if (exitFd >= 0)
        close(exitFd);
    if (outputFile >= 0)
        close(outputFile);
}

void ChildProcess::end()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        pid = -1;
    }
}

bool ChildProcess::waitAWhile(int fd, short events, int ms)
{
    const int n = interruptCount();
    if (n > 1)
        return false;
    if (n == 1) {
        const auto now = std::chrono::steady_clock::now();
        if (!graceEnd)
            graceEnd = now + kGrace;
        if (now >= *graceEnd)
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*graceEnd - now).count();
        ms = static_cast<int>(std::min<std::int64_t>(ms, left));
    }
    pollfd ready{fd, events, 0};
    poll(&ready, fd >= 0 ? 1 : 0, ms);
    return true;
}

bool ChildProcess::giveUp()
{
    ended = true;
    end();
    return false;
}

bool ChildProcess::feed(const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0 && input >= 0) {
        const ssize_t n = write(input, bytes, size);
        if (n > 0) {
            bytes += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitAWhile(input, POLLOUT, kLookMs))
                return giveUp();
        } else if (!(n < 0 && errno == EINTR)) {
            return false;  // EPIPE: the child has gone
        }
    }
    return size == 0;
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
    while (pid > 0) {
        const pid_t got = waitpid(pid, &status, WNOHANG);
        if (got == pid || (got < 0 && errno != EINTR))
            pid = -1;
        else if (got == 0 && !waitAWhile(exitFd, POLLIN, exitFd >= 0 ? kLookMs : 5))
            return giveUp();
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
