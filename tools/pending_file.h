#pragma once

#include <cstddef>
#include <string>

// A file written under a temporary name beside its target and renamed into
// place only once complete, so that a failed or interrupted run never leaves
// a truncated file under the real name, and an older file there survives
// until the new one is whole. A commit syncs the file before the rename and
// its folder after it, so that this holds after a power cut too. Removed
// unless committed.
class PendingFile {
public:
    explicit PendingFile(std::string target);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Each false, with one line in error(), on failure.
    bool open();
    bool write(const void *data, std::size_t size);
    bool commit();

    // For a helper program that writes the file itself (ffmpeg, lame).
    const std::string &temporaryPath() const { return temporary; }
    const std::string &error() const { return failure; }

private:
    bool fail(const std::string &why);

    std::string target, temporary, failure;
    int fd = -1;
    bool committed = false;
};
