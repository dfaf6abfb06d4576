#pragma once

#include <cstdint>
#include <vector>

// Counts flashes the way WCAG 2.x success criterion 2.3.1 defines them,
// pixel by pixel over a run of frames shown at a fixed rate.
//
// - A general flash is a pair of opposing changes of relative luminance of
//   at least 0.1 where the darker state is below 0.80.
// - A red flash is a pair of opposing changes of (R - G - B) * 320 (linear
//   channels, negative taken as 0) of more than 20 to or from a saturated
//   red, R / (R + G + B) >= 0.8.
// - A change is measured from the extreme reached since the pixel's last
//   change, so a slow fade is one change however many frames it takes.
// - The area rule: k flashes count in a one-second period only where the
//   pixels that flash at least k times in it cover a quarter of a 10-degree
//   field somewhere. The field is WCAG's 341x256 rectangle on a 1024x768
//   screen, scaled with that screen fitted into the frame.
struct FlashCount {
    int general = 0;
    int red = 0;
};

struct FieldSize {
    int width, height;
};

// The 10-degree field in a frame of width x height pixels.
FieldSize visualField(int width, int height);

class FlashCounter {
public:
    FlashCounter(int width, int height, int fps);

    // About what a counter of that size holds, in bytes.
    static std::uint64_t bytesFor(int width, int height, int fps);

    // Takes the next frame (RGB rows, top first) and returns the flashes of
    // the one-second period that ends with it: the changes of its last
    // `fps` frame steps.
    FlashCount add(const std::uint8_t *rgb);

private:
    struct Track {
        float low, high;     // extremes since the last change
        std::int8_t trend;   // +1 after a rise, -1 after a fall, 0 before any
        bool highIsRed;      // red tracks only: the high extreme is a saturated red
    };
    using Bits = std::vector<std::uint64_t>;

    static bool luminanceStep(Track &track, float l);
    static bool redStep(Track &track, float q, bool saturated);
    void advanceWindow(const Bits &general, const Bits &red);
    int flashesOver(const std::vector<std::uint16_t> &changes) const;
    bool covers(const std::vector<std::uint16_t> &changes, int atLeast) const;

    int width, height, fps;
    FieldSize field;
    std::int64_t quarterField;
    std::int64_t frames = 0;
    std::vector<Track> luminance, redness;
    // Changes per pixel in the current period, and which pixels changed at
    // each of its frame steps (a ring of `fps` bit sets).
    std::vector<std::uint16_t> generalChanges, redChanges;
    std::vector<Bits> generalRing, redRing;
    mutable std::vector<std::uint32_t> areaSums;
};
