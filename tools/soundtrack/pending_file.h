#pragma once

#include <string>

// A file written under a temporary name beside its target and renamed into
// place only once complete, so that a failed or interrupted run never leaves
// a truncated file under the real name. Removed unless committed.
class PendingFile {
public:
    explicit PendingFile(std::string target);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // False, with a reason in error(), when the temporary could not be made.
    bool open();
    const std::string &temporaryPath() const { return temporary_; }
    int descriptor() const { return fd_; }
    bool commit();
    const std::string &error() const { return error_; }

private:
    bool fail(const std::string &what);

    std::string target_, temporary_, error_;
    int fd_ = -1;
    bool committed_ = false;
};
