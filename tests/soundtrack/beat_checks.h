#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the picture pulses to, written out here from the scenes' own numbers
// rather than taken from the score, so the music is checked against them.
struct PicturePulse {
    std::string scene;
    double origin, period; // beat k at origin + k * period (ms)
    int first, last;       // the beats that fall inside the scene
    double fromMs, toMs;   // the scene's window
};

const std::vector<PicturePulse> &picturePulses();

struct GridMatch {
    int matched = 0;               // beats with an onset within the tolerance
    std::vector<double> strays;    // onsets on no beat
    std::vector<int> missed;       // beats without an onset
    double worstMs = 0.0;          // largest distance of a matched onset
};

// Detects the onsets in the pulse's scene and pairs them with its beats.
GridMatch matchOnsets(const std::vector<float> &mono, const PicturePulse &pulse, double toleranceMs);

std::vector<float> monoOf(const std::vector<std::int16_t> &interleaved);

// Root mean square of the mono signal over [fromMs, toMs), full scale 1.
double rmsOver(const std::vector<float> &mono, double fromMs, double toMs);

// Largest magnitude from fromMs to the end.
float peakFrom(const std::vector<float> &mono, double fromMs);

constexpr double kRate = 44100.0;
constexpr double kTimelineEndMs = 129064.0;
