#pragma once

#include "cli.h"
#include "frame_range.h"
#include "timeline.h"

#include <optional>
#include <string>
#include <vector>

enum class OutputKind { Still, Frames, Video, ContactSheet, Flashes, Light };

struct CaptureOptions {
    OutputKind kind = OutputKind::Still;
    std::int32_t time = 0;                          // a still
    FrameRange range{0, kTimelineEnd, 60};          // frames and video
    PaneSize size{1920, 1080};                      // for a contact sheet, one tile
    std::string out;                                // file or directory
    std::string music = "1991.mp3";
    bool gentle = false;                            // the gentle picture
    std::string heatmap;                            // flashes: where the failing seconds' pictures go
};

extern const char kCaptureUsage[];
extern const Tool kCaptureTool;

// The kind of output follows from --out: FILE.png is a still, FILE.mp4 a
// video, DIR/ (or an existing directory) numbered frames; --flashes
// analyses the range instead and writes nothing, and --light compares the
// gentle picture's light with the normal one's. Null, with the
// problem in one line, when the arguments make no sense together.
std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string> &args,
                                                  std::string &problem);
