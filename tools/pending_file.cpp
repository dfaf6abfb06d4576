#include "pending_file.h"

#include "write_all.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

PendingFile::PendingFile(std::string target) : target(std::move(target)) {}

PendingFile::~PendingFile()
{
    if (fd >= 0)
        close(fd);
    if (!temporary.empty() && !committed)
        unlink(temporary.c_str());
}

bool PendingFile::fail(const std::string &why)
{
    failure = "cannot write " + target + ": " + why;
    return false;
}

bool PendingFile::open()
{
    // Found now rather than after minutes of work, at the final rename.
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return fail("it is a directory");
    std::string pattern = target + ".partial-XXXXXX";
    fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(std::strerror(errno));
    temporary = pattern;
    // mkstemp makes it private; the result is an ordinary file for everyone.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return true;
}

bool PendingFile::write(const void *data, std::size_t size)
{
    if (!writeAll(fd, data, size))
        return fail(std::strerror(errno));
    return true;
}

namespace {

// A file system that cannot sync (EINVAL) keeps its own promises, or none.
bool synced(int fd)
{
    return fsync(fd) == 0 || errno == EINVAL;
}

} // namespace

// The content reaches the disk before the new name does, and the name
// before we report success: after a power cut the target holds the old
// file or the whole new one, never a new name with no content.
bool PendingFile::commit()
{
    if (fd >= 0) {
        const bool written = synced(fd);
        const int syncError = errno;
        const int result = close(fd);
        fd = -1;
        if (!written)
            return fail(std::strerror(syncError));
        if (result != 0)
            return fail(std::strerror(errno));
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(std::strerror(errno));
    committed = true;
    std::string folder = std::filesystem::path(target).parent_path().string();
    const int folderFd = ::open(folder.empty() ? "." : folder.c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool named = folderFd >= 0 && synced(folderFd);
    const int folderError = errno;
    if (folderFd >= 0)
        close(folderFd);
    if (!named)
        return fail("its folder cannot be synced: " + std::string(std::strerror(folderError)));
    return true;
}
