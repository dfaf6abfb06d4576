#include "frame_log.h"

#include <cinttypes>
#include <cstdio>

bool FrameLog::open(const std::string &path, std::string &error)
{
    file = std::make_unique<PendingFile>(path);
    if (file->open())
        return true;
    error = file->error();
    file.reset();
    return false;
}

void FrameLog::picture(double paintAt, double swapAt, std::int64_t sceneTime, double aimedAt)
{
    if (!file)
        return;
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%.3f %.3f %" PRId64 " %.3f\n", paintAt, swapAt, sceneTime,
                                aimedAt);
    lines.append(line, static_cast<std::size_t>(n));
}

bool FrameLog::save(std::string &error)
{
    if (!file)
        return true;
    const bool saved = file->write(lines.data(), lines.size()) && file->commit();
    if (!saved)
        error = file->error();
    file.reset();
    return saved;
}

std::string frameStatsLine(const FrameLoop::Stats &stats, double refreshHz, bool timerPaced,
                           double largestRateChange)
{
    char line[256];
    std::snprintf(line, sizeof line,
                  "%" PRId64 " pictures at %.1f Hz (%s), %" PRId64 " refreshes repeated a picture, %" PRId64
                  " pictures late, largest clock rate correction %.1f %%",
                  stats.pictures, refreshHz, timerPaced ? "paced by a timer" : "paced by the display",
                  stats.repeated, stats.late, largestRateChange * 100);
    return line;
}
