#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// "frame 120/7744  3.2 fps  39:41 left", rewritten in place on stderr while
// a capture runs; silent unless stderr is a terminal, so logs and pipes
// get no carriage-return noise.
class ProgressLine {
public:
    explicit ProgressLine(std::int64_t total);
    ~ProgressLine();  // ends the line so later messages start clean

    void frameDone();

private:
    bool shown;
    bool printed = false;
    std::int64_t total;
    std::int64_t done = 0;
    std::chrono::steady_clock::time_point start, lastShown;
};

std::string formatProgress(std::int64_t done, std::int64_t total, double elapsedSeconds);
