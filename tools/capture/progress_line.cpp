#include "progress_line.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

std::string formatProgress(std::int64_t done, std::int64_t total, double elapsedSeconds)
{
    char text[96];
    if (done <= 0 || elapsedSeconds <= 0) {
        std::snprintf(text, sizeof text, "frame %lld/%lld", static_cast<long long>(done),
                      static_cast<long long>(total));
        return text;
    }
    const double rate = done / elapsedSeconds;
    const long long left = std::llround((total - done) / rate);
    std::snprintf(text, sizeof text, "frame %lld/%lld  %.1f fps  %lld:%02lld:%02lld left",
                  static_cast<long long>(done), static_cast<long long>(total), rate, left / 3600,
                  left / 60 % 60, left % 60);
    return text;
}

ProgressLine::ProgressLine(std::int64_t total)
    : shown(isatty(STDERR_FILENO) == 1), total(total), start(std::chrono::steady_clock::now()),
      lastShown(start)
{
}

ProgressLine::~ProgressLine()
{
    if (printed)
        std::fputc('\n', stderr);
}

void ProgressLine::frameDone()
{
    ++done;
    if (!shown)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (done < total && now - lastShown < std::chrono::milliseconds(250))
        return;
    lastShown = now;
    const double elapsed = std::chrono::duration<double>(now - start).count();
    // \033[K clears what a longer previous line left behind.
    std::fprintf(stderr, "\r%s\033[K", formatProgress(done, total, elapsed).c_str());
    std::fflush(stderr);
    printed = true;
}
