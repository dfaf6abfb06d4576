#include "flash_counter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr float kLuminanceStep = 0.1f;   // a general change: at least this
constexpr float kDarkLimit = 0.8f;       // with the darker state below this
constexpr float kRedStep = 20;           // a red change: more than this
constexpr float kRedScale = 320;
constexpr float kSaturatedRed = 0.8f;    // R / (R + G + B) at least this

// sRGB channel value to linear light.
const std::array<float, 256> &linearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

void setBit(std::vector<std::uint64_t> &bits, std::size_t i)
{
    bits[i / 64] |= std::uint64_t{1} << (i % 64);
}

} // namespace

FieldSize visualField(int width, int height)
{
    const double scale = std::min(width / 1024.0, height / 768.0);
    const int w = static_cast<int>(std::lround(341 * scale));
    const int h = static_cast<int>(std::lround(256 * scale));
    return {std::clamp(w, 1, width), std::clamp(h, 1, height)};
}

std::uint64_t FlashCounter::bytesFor(int width, int height, int fps)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * height;
    const std::uint64_t perPixel = 2 * sizeof(Track) + 2 * sizeof(std::uint16_t)
        + sizeof(std::uint32_t);
    return pixels * perPixel + 2 * static_cast<std::uint64_t>(fps) * ((pixels + 63) / 64) * 8;
}

FlashCounter::FlashCounter(int width, int height, int fps)
    : width(width), height(height), fps(fps), field(visualField(width, height)),
      quarterField((static_cast<std::int64_t>(field.width) * field.height + 3) / 4)
{
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    luminance.resize(pixels);
    redness.resize(pixels);
    generalChanges.assign(pixels, 0);
    redChanges.assign(pixels, 0);
    const Bits none((pixels + 63) / 64, 0);
    generalRing.assign(fps, none);
    redRing.assign(fps, none);
    areaSums.resize(static_cast<std::size_t>(width + 1) * (height + 1));
}

// One frame of a pixel's tracks: true when it makes a change. A fall is
// measured from the high extreme since the last change, a rise from the low
// one; after a change the track starts afresh from the new value.
bool FlashCounter::luminanceStep(Track &track, float l)
{
    // The darker state is the lower end: the new value of a fall, the low
    // extreme of a rise.
    const bool falls = track.trend >= 0 && track.high - l >= kLuminanceStep && l < kDarkLimit;
    const bool rises = !falls && track.trend <= 0 && l - track.low >= kLuminanceStep
        && track.low < kDarkLimit;
    if (falls || rises) {
        track = {l, l, static_cast<std::int8_t>(falls ? -1 : 1), false};
        return true;
    }
    track.low = std::min(track.low, l);
    track.high = std::max(track.high, l);
    return false;
}

// A red change leads to or from a saturated red: a rise ends on one, a fall
// starts from one.
bool FlashCounter::redStep(Track &track, float q, bool saturated)
{
    const bool falls = track.trend >= 0 && track.highIsRed && track.high - q > kRedStep;
    const bool rises = !falls && track.trend <= 0 && saturated && q - track.low > kRedStep;
    if (falls || rises) {
        track = {q, q, static_cast<std::int8_t>(falls ? -1 : 1), saturated};
        return true;
    }
    track.low = std::min(track.low, q);
    if (q > track.high) {
        track.high = q;
        track.highIsRed = saturated;
    }
    return false;
}

FlashCount FlashCounter::add(const std::uint8_t *rgb)
{
    const auto &linear = linearTable();
    const std::size_t pixels = luminance.size();
    Bits general(generalRing[0].size(), 0), red(general.size(), 0);
    for (std::size_t i = 0; i < pixels; ++i) {
        const float r = linear[rgb[3 * i]], g = linear[rgb[3 * i + 1]], b = linear[rgb[3 * i + 2]];
        const float l = 0.2126f * r + 0.7152f * g + 0.0722f * b;
        const float q = std::max(0.0f, r - g - b) * kRedScale;
        const bool saturated = r > 0 && r >= kSaturatedRed * (r + g + b);
        if (frames == 0) {
            luminance[i] = {l, l, 0, false};
            redness[i] = {q, q, 0, saturated};
            continue;
        }
        if (luminanceStep(luminance[i], l))
            setBit(general, i);
        if (redStep(redness[i], q, saturated))
            setBit(red, i);
    }
    ++frames;
    advanceWindow(general, red);
    return {flashesOver(generalChanges), flashesOver(redChanges)};
}

// The ring's slot for this frame step holds the step one period back, which
// leaves the period as this one enters.
void FlashCounter::advanceWindow(const Bits &general, const Bits &red)
{
    const std::size_t slot = static_cast<std::size_t>(frames % fps);
    const auto shift = [](std::vector<std::uint16_t> &changes, Bits &leaving, const Bits &entering) {
        for (std::size_t word = 0; word < leaving.size(); ++word) {
            for (std::uint64_t bits = leaving[word]; bits; bits &= bits - 1)
                --changes[word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))];
            for (std::uint64_t bits = entering[word]; bits; bits &= bits - 1)
                ++changes[word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))];
        }
        leaving = entering;
    };
    shift(generalChanges, generalRing[slot], general);
    shift(redChanges, redRing[slot], red);
}

// The most flashes k for which the pixels with at least 2k changes cover a
// quarter of some field.
int FlashCounter::flashesOver(const std::vector<std::uint16_t> &changes) const
{
    int low = 0, high = *std::max_element(changes.begin(), changes.end()) / 2;
    while (low < high) {
        const int k = (low + high + 1) / 2;
        if (covers(changes, 2 * k))
            low = k;
        else
            high = k - 1;
    }
    return low;
}

// Whether the pixels with at least `atLeast` changes fill a quarter of a
// field anywhere in the frame, from a summed-area table.
bool FlashCounter::covers(const std::vector<std::uint16_t> &changes, int atLeast) const
{
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    for (int y = 0; y < height; ++y) {
        std::uint32_t row = 0;
        for (int x = 0; x < width; ++x) {
            row += changes[static_cast<std::size_t>(y) * width + x] >= atLeast;
            areaSums[(y + 1) * stride + x + 1] = areaSums[y * stride + x + 1] + row;
        }
    }
    for (int y = 0; y + field.height <= height; ++y) {
        const std::uint32_t *top = &areaSums[y * stride];
        const std::uint32_t *bottom = &areaSums[(y + field.height) * stride];
        for (int x = 0; x + field.width <= width; ++x) {
            const std::int64_t inside = static_cast<std::int64_t>(bottom[x + field.width])
                - bottom[x] - top[x + field.width] + top[x];
            if (inside >= quarterField)
                return true;
        }
    }
    return false;
}
