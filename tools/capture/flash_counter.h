#pragma once

#include <cstdint>
#include <vector>

// Counts flashes the way WCAG 2.x success criterion 2.3.1 defines them,
// over a run of frames shown at a fixed rate.
//
// - Each pixel's changes: a general change is one of relative luminance of
//   at least 0.1 where the darker state is below 0.80; a red change one of
//   (R - G - B) * 320 (linear channels, negative taken as 0) of more than
//   20 to or from a saturated red, R / (R + G + B) >= 0.8. A change is
//   measured from the extreme reached since the pixel's last change, so a
//   slow fade is one change however many frames it takes, and rises and
//   falls alternate.
// - Concurrency: in every frame step, every 10-degree field (WCAG's 341x256
//   rectangle on a 1024x768 screen, scaled with that screen fitted into the
//   frame; its positions a sixteenth of its height apart) counts its pixels
//   that rose within the last 1 / kToleranceRate s and those that fell. A field
//   makes a rising transition when the risers reach a quarter of it, a
//   falling one when the fallers do; transitions of a field alternate, and
//   it makes at most one a step.
// - A flash is a pair of opposing transitions of one field: a field makes
//   n / 2 flashes in a one-second period in which it makes n transitions.
struct FlashCount {
    int general = 0;
    int red = 0;
};

struct FieldRect {
    int x, y, width, height;
};

// Changes in the frame steps of the last 1 / kToleranceRate s (this step and
// the one before at 60 fps) count as concurrent: an area that brightens over
// two frames brightens at once.
constexpr int kToleranceRate = 30;

// The 10-degree field in a frame of width x height pixels (x and y 0).
FieldRect visualField(int width, int height);

// The side in pixels of the squares whose mean is measured: the largest
// whole number of pixels within 0.1 degree, and at least one.
int cellSize(int width, int height);

class FlashCounter {
public:
    FlashCounter(int width, int height, int fps);

    // About what a counter of that size holds, in bytes.
    static std::uint64_t bytesFor(int width, int height, int fps);

    // Takes the next frame (RGB rows, top first) and returns the flashes of
    // the worst field over the one-second period that ends with it: its
    // last `fps` frame steps.
    FlashCount add(const std::uint8_t *rgb);

    // Where and when the current period flashes most: the fields with more
    // than `limit` flashes of either kind in it, and how many frames back
    // from the newest lies the frame in which most of them had just made a
    // rising transition (any transition where none rose).
    struct Moment {
        std::vector<FieldRect> fields;
        int framesBack = 0;
    };
    Moment worstMoment(int limit) const;

private:
    struct Track {
        float low, high;     // extremes since the last change
        std::int8_t trend;   // +1 after a rise, -1 after a fall, 0 before any
        bool highIsRed;      // red tracks only: the high extreme is a saturated red
    };
    // One kind of flash (general or red): the pixels' last changes and the
    // fields' transitions.
    struct Kind {
        std::vector<std::int32_t> lastRise, lastFall;  // step of each cell's latest change
        std::int32_t anyRise, anyFall;                 // the latest step with one at all
        std::vector<std::int8_t> fieldTrend;           // each field's last transition
        std::vector<std::uint16_t> transitions;        // each field's, in the period
        // The transitions of each step of the period, a ring of `fps`:
        // field index * 2, plus 1 for a rise.
        std::vector<std::vector<std::uint32_t>> ring;
    };

    static bool luminanceStep(Track &track, float l);
    static bool redStep(Track &track, float q, bool saturated);
    void averageCells(const std::uint8_t *rgb);
    void record(Kind &kind, std::size_t at, bool changed, const Track &track);
    int transitionsOf(Kind &kind);
    void fillAreaSums(const std::vector<std::int32_t> &last);
    std::uint32_t inside(const FieldRect &field) const;

    int width, height, fps, tolerance;
    FieldRect field;
    int cell;                          // cellSize
    int cellsX = 0;                    // cells in a row
    std::vector<int> cellColumn;       // of each pixel column
    std::vector<float> cellArea;       // pixels in each cell
    std::vector<float> cellRgb, previousRgb;  // mean linear RGB of each, this frame and the last
    std::uint32_t quarterField;
    std::vector<FieldRect> fields;
    std::int32_t step = -1;   // frame steps taken; -1 before the first frame
    std::vector<Track> luminance, redness;  // of each cell
    Kind general, red;
    std::vector<std::uint32_t> areaSums, risers, fallers;
};
