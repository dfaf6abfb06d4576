#include "flash_counter.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr float kLuminanceStep = 0.1f;   // a general change: at least this
constexpr float kDarkLimit = 0.8f;       // with the darker state below this
constexpr float kRedStep = 20;           // a red change: more than this
constexpr float kRedScale = 320;
constexpr float kSaturatedRed = 0.8f;    // R / (R + G + B) at least this
constexpr int kFieldSteps = 16;          // field positions per field height
constexpr std::int32_t kNever = INT32_MIN;

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

// 0, stride, 2 * stride ... up to the last position `span` fits in, and
// that last one.
std::vector<int> positions(int length, int span, int stride)
{
    std::vector<int> at;
    for (int p = 0; p + span <= length; p += stride)
        at.push_back(p);
    if (at.back() != length - span)
        at.push_back(length - span);
    return at;
}

} // namespace

namespace {

// The 1024x768 screen fitted into the frame, in frame pixels per pixel of it.
double screenScale(int width, int height)
{
    return std::min(width / 1024.0, height / 768.0);
}

} // namespace

int cellSize(int width, int height)
{
    // A 10-degree field is 341 pixels wide on that screen.
    return std::max(1, static_cast<int>(3.41 * screenScale(width, height)));
}

FieldRect visualField(int width, int height)
{
    const double scale = screenScale(width, height);
    const int w = static_cast<int>(std::lround(341 * scale));
    const int h = static_cast<int>(std::lround(256 * scale));
    return {0, 0, std::clamp(w, 1, width), std::clamp(h, 1, height)};
}

std::uint64_t FlashCounter::bytesFor(int width, int height, int fps)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * height;
    const FieldRect field = visualField(width, height);
    const std::uint64_t stride = std::max(1, field.height / kFieldSteps);
    const std::uint64_t fields = (width / stride + 2) * (height / stride + 2);
    // Per pixel an area sum and its cell's column, per cell (at most one a
    // pixel) two tracks, two means, four last changes and its area; per
    // field its state and counts, and at worst a transition of each kind in
    // every step of the period.
    return pixels * (2 * sizeof(Track) + 13 * sizeof(std::uint32_t))
        + fields * (2 * sizeof(FieldRect) + 2 * 3 + 4 * sizeof(std::uint32_t))
        + 2 * fields * static_cast<std::uint64_t>(fps) * sizeof(std::uint32_t);
}

FlashCounter::FlashCounter(int width, int height, int fps)
    : width(width), height(height), fps(fps), tolerance(std::max(1, fps / kToleranceRate)),
      field(visualField(width, height)), cell(cellSize(width, height)),
      quarterField(static_cast<std::uint32_t>((field.width * field.height + 3) / 4))
{
    const int stride = std::max(1, field.height / kFieldSteps);
    for (int y : positions(height, field.height, stride))
        for (int x : positions(width, field.width, stride))
            fields.push_back({x, y, field.width, field.height});
    cellsX = (width + cell - 1) / cell;
    const int cellsY = (height + cell - 1) / cell;
    for (int x = 0; x < width; ++x)
        cellColumn.push_back(x / cell);
    for (int cy = 0; cy < cellsY; ++cy)
        for (int cx = 0; cx < cellsX; ++cx)
            cellArea.push_back(static_cast<float>((std::min(height, (cy + 1) * cell) - cy * cell)
                                                  * (std::min(width, (cx + 1) * cell) - cx * cell)));
    const std::size_t cells = cellArea.size();
    luminance.resize(cells);
    redness.resize(cells);
    cellRgb.resize(3 * cells);
    previousRgb.resize(3 * cells);
    for (Kind *kind : {&general, &red}) {
        kind->lastRise.assign(cells, kNever);
        kind->lastFall.assign(cells, kNever);
        kind->anyRise = kind->anyFall = kNever;
        kind->fieldTrend.assign(fields.size(), 0);
        kind->transitions.assign(fields.size(), 0);
        kind->ring.resize(static_cast<std::size_t>(fps));
    }
    areaSums.assign(static_cast<std::size_t>(width + 1) * (height + 1), 0);
    risers.resize(fields.size());
    fallers.resize(fields.size());
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

void FlashCounter::record(Kind &kind, std::size_t at, bool changed, const Track &track)
{
    if (!changed)
        return;
    if (track.trend > 0) {
        kind.lastRise[at] = step;
        kind.anyRise = step;
    } else {
        kind.lastFall[at] = step;
        kind.anyFall = step;
    }
}

// The mean linear RGB of every cell of the frame.
void FlashCounter::averageCells(const std::uint8_t *rgb)
{
    const auto &linear = linearTable();
    std::fill(cellRgb.begin(), cellRgb.end(), 0.0f);
    for (int y = 0; y < height; ++y) {
        float *row = &cellRgb[3 * static_cast<std::size_t>(y / cell) * cellsX];
        const std::uint8_t *p = &rgb[3 * static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x, p += 3) {
            float *c = &row[3 * cellColumn[x]];
            c[0] += linear[p[0]];
            c[1] += linear[p[1]];
            c[2] += linear[p[2]];
        }
    }
    if (cell > 1)
        for (std::size_t i = 0; i < cellArea.size(); ++i)
            for (int k = 0; k < 3; ++k)
                cellRgb[3 * i + k] /= cellArea[i];
}

FlashCount FlashCounter::add(const std::uint8_t *rgb)
{
    const bool first = step < 0;
    ++step;
    std::swap(cellRgb, previousRgb);
    averageCells(rgb);
    for (std::size_t i = 0; i < cellArea.size(); ++i) {
        const float r = cellRgb[3 * i], g = cellRgb[3 * i + 1], b = cellRgb[3 * i + 2];
        // A cell as it was in the frame before cannot change: its tracks'
        // extremes hold its value already.
        if (!first && r == previousRgb[3 * i] && g == previousRgb[3 * i + 1]
            && b == previousRgb[3 * i + 2])
            continue;
        const float l = 0.2126f * r + 0.7152f * g + 0.0722f * b;
        const float q = std::max(0.0f, r - g - b) * kRedScale;
        const bool saturated = r > 0 && r >= kSaturatedRed * (r + g + b);
        if (first) {
            luminance[i] = {l, l, 0, false};
            redness[i] = {q, q, 0, saturated};
            continue;
        }
        record(general, i, luminanceStep(luminance[i], l), luminance[i]);
        record(red, i, redStep(redness[i], q, saturated), redness[i]);
    }
    if (first)
        return {};
    return {transitionsOf(general) / 2, transitionsOf(red) / 2};
}

// The area sums of the pixels whose cell's latest change of one direction
// lies within the tolerance.
void FlashCounter::fillAreaSums(const std::vector<std::int32_t> &last)
{
    const std::int32_t since = step - tolerance;
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    for (int y = 0; y < height; ++y) {
        const std::int32_t *cells = &last[static_cast<std::size_t>(y / cell) * cellsX];
        const std::uint32_t *above = &areaSums[y * stride];
        std::uint32_t *sums = &areaSums[(y + 1) * stride];
        std::uint32_t count = 0;
        for (int x = 0; x < width; ++x) {
            count += cells[cellColumn[x]] > since;
            sums[x + 1] = above[x + 1] + count;
        }
    }
}

std::uint32_t FlashCounter::inside(const FieldRect &f) const
{
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    const std::uint32_t *top = &areaSums[f.y * stride];
    const std::uint32_t *bottom = &areaSums[(f.y + f.height) * stride];
    return bottom[f.x + f.width] - bottom[f.x] - top[f.x + f.width] + top[f.x];
}

// Moves the period on by this step for one kind of change and returns the
// most transitions a field makes in it.
int FlashCounter::transitionsOf(Kind &kind)
{
    std::vector<std::uint32_t> &entering = kind.ring[static_cast<std::size_t>(step % fps)];
    for (std::uint32_t leaving : entering)
        --kind.transitions[leaving / 2];
    entering.clear();

    const std::int32_t since = step - tolerance;
    const bool anyRise = kind.anyRise > since, anyFall = kind.anyFall > since;
    if (anyRise || anyFall) {
        const auto countChanges = [&](const std::vector<std::int32_t> &last, bool any,
                                      std::vector<std::uint32_t> &counts) {
            if (!any) {
                std::fill(counts.begin(), counts.end(), 0);
                return;
            }
            fillAreaSums(last);
            for (std::size_t f = 0; f < fields.size(); ++f)
                counts[f] = inside(fields[f]);
        };
        countChanges(kind.lastRise, anyRise, risers);
        countChanges(kind.lastFall, anyFall, fallers);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const bool rise = risers[f] >= quarterField, fall = fallers[f] >= quarterField;
            std::int8_t &trend = kind.fieldTrend[f];
            // After a rise only a fall counts, and the other way round;
            // a field's first transition is the larger of the two.
            std::int8_t next = 0;
            if (fall && (trend > 0 || (trend == 0 && !(rise && risers[f] > fallers[f]))))
                next = -1;
            else if (rise && trend <= 0)
                next = 1;
            if (next == 0)
                continue;
            trend = next;
            ++kind.transitions[f];
            entering.push_back(static_cast<std::uint32_t>(2 * f + (next > 0)));
        }
    }
    return *std::max_element(kind.transitions.begin(), kind.transitions.end());
}

FlashCounter::Moment FlashCounter::worstMoment(int limit) const
{
    Moment moment;
    std::vector<bool> over(fields.size(), false);
    for (std::size_t f = 0; f < fields.size(); ++f) {
        over[f] = general.transitions[f] / 2 > limit || red.transitions[f] / 2 > limit;
        if (over[f])
            moment.fields.push_back(fields[f]);
    }
    long best = -1;
    for (int back = 0; back < fps && back < step; ++back) {
        const std::size_t slot = static_cast<std::size_t>((step - back) % fps);
        long rises = 0, any = 0;
        for (const Kind *kind : {&general, &red})
            for (std::uint32_t entry : kind->ring[slot])
                if (over[entry / 2]) {
                    ++any;
                    rises += entry % 2;
                }
        // Rises outweigh any number of falls.
        const long score = rises * static_cast<long>(2 * fields.size() + 1) + any;
        if (score > best) {
            best = score;
            moment.framesBack = back;
        }
    }
    return moment;
}
