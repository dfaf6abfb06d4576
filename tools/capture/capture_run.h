#pragma once

#include "frame_range.h"
#include "frame_sink.h"
#include "offscreen_gl.h"

#include <string>

constexpr int kExitInterrupted = 130;  // as a shell reports death by SIGINT

// Renders the frames of `range` in order into `sink` and closes it. Stops
// after the frame in hand when interrupted, keeping what was written. Says
// in one line on stderr what went wrong or how far it got; returns the
// exit status.
int captureRange(OffscreenGl &gl, const FrameRange &range, FrameSink &sink,
                 const std::string &out);
