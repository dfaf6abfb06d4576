#include "onset_detector.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

std::vector<double> detectOnsets(const std::vector<float> &mono, double rate, double fromMs, double toMs,
                                 const OnsetSettings &settings)
{
    const auto frame = [&](double ms) {
        const long long i = std::llround(ms * rate / 1000.0);
        return static_cast<std::size_t>(std::clamp(i, 0LL, static_cast<long long>(mono.size())));
    };
    const auto window = static_cast<std::size_t>(settings.windowMs * rate / 1000.0);
    const std::size_t from = std::max(frame(fromMs), window);
    const std::size_t to = std::min(frame(toMs), mono.size() - std::min(mono.size(), window));
    if (from >= to)
        return {};

    // Running sum of squares from one window before the range, so each
    // window's energy is one subtraction.
    const std::size_t base = from - window;
    std::vector<double> energy(to + window - base + 1);
    for (std::size_t i = base; i < to + window; ++i)
        energy[i - base + 1] = energy[i - base] + static_cast<double>(mono[i]) * mono[i];
    std::vector<double> rise(to - from);
    for (std::size_t i = window; i < window + rise.size(); ++i)
        rise[i - window] = (energy[i + window] - energy[i]) - (energy[i] - energy[i - window]);
    const double strongest = *std::max_element(rise.begin(), rise.end());

    std::vector<double> onsets;
    const auto spacing = static_cast<std::size_t>(settings.spacingMs * rate / 1000.0);
    for (std::size_t i = 0; i < rise.size(); ++i) {
        if (!(rise[i] > settings.threshold * strongest))
            continue;
        const auto lo = rise.begin() + static_cast<std::ptrdiff_t>(i > spacing ? i - spacing : 0);
        const auto hi = rise.begin() + static_cast<std::ptrdiff_t>(std::min(rise.size(), i + spacing + 1));
        if (std::max_element(lo, hi) == rise.begin() + static_cast<std::ptrdiff_t>(i))
            onsets.push_back((from + i) * 1000.0 / rate);
    }
    return onsets;
}
