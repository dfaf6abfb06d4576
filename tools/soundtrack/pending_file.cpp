#include "pending_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

PendingFile::PendingFile(std::string target) : target_(std::move(target)) {}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!temporary_.empty() && !committed_)
        unlink(temporary_.c_str());
}

bool PendingFile::fail(const std::string &what)
{
    error_ = what + ": " + std::strerror(errno);
    return false;
}

bool PendingFile::open()
{
    // Found now rather than after minutes of work, at the final rename.
    struct stat existing;
    if (stat(target_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        errno = EISDIR;
        return fail("cannot create " + target_);
    }
    std::string pattern = target_ + ".partial-XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return fail("cannot create " + target_);
    temporary_ = pattern;
    // mkstemp makes it private; the result is an ordinary file for everyone.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
    return true;
}

bool PendingFile::commit()
{
    if (fd_ >= 0) {
        const int result = close(fd_);
        fd_ = -1;
        if (result != 0)
            return fail("cannot write " + target_);
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("cannot create " + target_);
    committed_ = true;
    return true;
}
