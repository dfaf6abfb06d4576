#pragma once

#include "score.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kSoundtrackRate = 44100;
// A little past the end of the timeline, so that the last seconds are
// silence rather than the end of the stream.
constexpr std::size_t kSoundtrackFrames = 130 * kSoundtrackRate;

struct StereoPcm {
    std::vector<float> left, right;
};

// Mixes the notes into frames of stereo at 44.1 kHz: drums dry, everything
// else ducked under the kicks, an echo, the fade over the last scene, and a
// gentle saturation with its peak just below full scale.
StereoPcm mixScore(const std::vector<Note> &notes, std::size_t frames);

// The demo's own music: mixScore(composeScore(), kSoundtrackFrames).
StereoPcm renderSoundtrack();

// Interleaved signed 16-bit samples, left first.
std::vector<std::int16_t> toPcm16(const StereoPcm &pcm);
