#pragma once

#include "frame_loop.h"
#include "pending_file.h"

#include <cstdint>
#include <memory>
#include <string>

// What --frame-log writes: one line per picture, in milliseconds of the
// monotonic clock with microseconds: when its paint began, when it was
// handed to the display, the scene time drawn, and the moment it was drawn
// for. Kept in memory and written whole at the end, so the file is either
// complete or the old one.
class FrameLog
{
public:
    static constexpr char kHeader[] = "# paint_ms swap_ms scene_ms aimed_ms\n";

    // Makes the file's temporary beside it now, so that a path that cannot
    // be written is told at the start; false, with one line in error.
    bool open(const std::string &path, std::string &error);
    bool isOpen() const { return file != nullptr; }
    void picture(double paintAt, double swapAt, std::int64_t sceneTime, double aimedAt);
    // Writes every line and puts the file in place.
    bool save(std::string &error);

private:
    std::unique_ptr<PendingFile> file;
    std::string lines = kHeader;
};

// The one line --stats prints at exit.
std::string frameStatsLine(const FrameLoop::Stats &stats, double refreshHz, bool timerPaced,
                           double largestRateChange);
