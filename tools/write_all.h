#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

// write(2) until everything is out; false with errno set on failure (EPIPE
// when a pipe's reader has gone).
inline bool writeAll(int fd, const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}
