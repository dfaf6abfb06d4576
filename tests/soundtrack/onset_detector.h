#pragma once

#include <vector>

// A plain energy onset detector, blind to how the music is made: it compares
// the energy of the few milliseconds after each sample with the few before
// and keeps the strongest rises, at most one per spacing.
struct OnsetSettings {
    double windowMs = 10.0;   // energy window on either side of a candidate
    double threshold = 0.35;  // share of the strongest rise in the range
    double spacingMs = 150.0; // rises closer than this are one onset
};

// Onset times in ms within [fromMs, toMs) of a mono signal sampled at rate Hz.
std::vector<double> detectOnsets(const std::vector<float> &mono, double rate, double fromMs, double toMs,
                                 const OnsetSettings &settings = {});
