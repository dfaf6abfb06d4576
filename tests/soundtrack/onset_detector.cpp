#include "onset_detector.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// For each i, the largest of values[i - reach .. i + reach], in linear time
// (van Herk): padded so every window is a full block's width, running maxima
// forward and backward within blocks of that width.
std::vector<double> slidingMaximum(const std::vector<double> &values, std::size_t reach)
{
    const std::size_t width = 2 * reach + 1;
    std::vector<double> forward(reach, -HUGE_VAL);
    forward.insert(forward.end(), values.begin(), values.end());
    forward.insert(forward.end(), reach, -HUGE_VAL);
    std::vector<double> backward(forward);
    for (std::size_t j = 1; j < forward.size(); ++j)
        if (j % width != 0)
            forward[j] = std::max(forward[j], forward[j - 1]);
    for (std::size_t j = backward.size() - 1; j-- > 0;)
        if ((j + 1) % width != 0)
            backward[j] = std::max(backward[j], backward[j + 1]);
    std::vector<double> out(values.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = std::max(backward[i], forward[i + 2 * reach]);
    return out;
}

} // namespace

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

    // An onset is a rise above the threshold that is the largest within the
    // spacing on either side.
    const auto spacing = static_cast<std::size_t>(settings.spacingMs * rate / 1000.0);
    const std::vector<double> nearby = slidingMaximum(rise, spacing);
    std::vector<double> onsets;
    std::size_t last = 0;
    for (std::size_t i = 0; i < rise.size(); ++i) {
        const bool apart = onsets.empty() || i - last > spacing;
        if (rise[i] > settings.threshold * strongest && rise[i] == nearby[i] && apart) {
            onsets.push_back((from + i) * 1000.0 / rate);
            last = i;
        }
    }
    return onsets;
}
