#include "beat_checks.h"

#include "onset_detector.h"

#include <algorithm>
#include <cmath>

const std::vector<PicturePulse> &picturePulses()
{
    // Scene 4 flips its line mode on the title's grid, every 501.75 ms from
    // t = 8100; its first flip inside the scene is at 40212.
    static const std::vector<PicturePulse> pulses{
        {"scene 2 title", 8100.0, 16056.0 / 32, 0, 31, 8100.0, 24156.0},
        {"scene 3 cube", 24156.0, 15959.0 / 32, 0, 31, 24156.0, 40115.0},
        {"scene 4 line flips", 8100.0, 16056.0 / 32, 64, 96, 40115.0, 56334.0},
        {"scene 6 band", 64313.0, 15959.0 / 32, 0, 31, 64313.0, 80272.0},
        {"scene 7 bundle", 80312.0, 15959.0 / 32, 0, 31, 80272.0, 96359.0},
        {"scene 8 ray sphere", 96379.0, 15959.0 / 32, 0, 31, 96359.0, 112600.0},
    };
    return pulses;
}

GridMatch matchOnsets(const std::vector<float> &mono, const PicturePulse &pulse, double toleranceMs)
{
    // Stop short of the scene's end: the next scene's first beat may sit on it.
    const std::vector<double> onsets = detectOnsets(mono, kRate, pulse.fromMs - 5.0, pulse.toMs - 20.0);
    GridMatch match;
    std::vector<int> hits(pulse.last - pulse.first + 1);
    for (double t : onsets) {
        const long beat = std::lround((t - pulse.origin) / pulse.period);
        const double distance = t - (pulse.origin + beat * pulse.period);
        if (beat < pulse.first || beat > pulse.last || std::fabs(distance) > toleranceMs) {
            match.strays.push_back(t);
            continue;
        }
        ++hits[beat - pulse.first];
        match.worstMs = std::max(match.worstMs, std::fabs(distance));
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (hits[i] == 1)
            ++match.matched;
        else
            match.missed.push_back(pulse.first + static_cast<int>(i));
    }
    return match;
}

std::vector<float> monoOf(const std::vector<std::int16_t> &interleaved)
{
    std::vector<float> mono(interleaved.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = (interleaved[2 * i] + interleaved[2 * i + 1]) / 65536.0f;
    return mono;
}

namespace {

std::size_t frameAt(const std::vector<float> &mono, double ms)
{
    return std::min(mono.size(), static_cast<std::size_t>(std::max(0.0, std::round(ms * kRate / 1000.0))));
}

} // namespace

double rmsOver(const std::vector<float> &mono, double fromMs, double toMs)
{
    const std::size_t from = frameAt(mono, fromMs), to = frameAt(mono, toMs);
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(mono[i]) * mono[i];
    return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

float peakFrom(const std::vector<float> &mono, double fromMs)
{
    float peak = 0.0f;
    for (std::size_t i = frameAt(mono, fromMs); i < mono.size(); ++i)
        peak = std::max(peak, std::fabs(mono[i]));
    return peak;
}
