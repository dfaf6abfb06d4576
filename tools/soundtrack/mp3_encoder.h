#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes interleaved 16-bit stereo at 44.1 kHz into an MP3 file at path with
// the lame command-line encoder. The settings are fixed (constant 192 kbit/s,
// so that players seek exactly; joint stereo; quality 2), so the same samples
// always give the same bytes. lame's header records its encoder delay and
// padding, which gapless decoders (GStreamer, FFmpeg) use to start at the
// first sample. False, with one line in error, when lame is missing or fails.
bool encodeMp3(const std::vector<std::int16_t> &samples, const std::string &path, std::string &error);
