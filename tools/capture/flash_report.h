#pragma once

#include "flash_counter.h"
#include "frame_range.h"
#include "frame_sink.h"

#include <cstdint>
#include <cstdio>
#include <vector>

// A second of scene time whose worst one-second period holds more than
// three flashes of either kind in some field.
struct FlashSecond {
    std::int64_t second;  // from second * 1000 ms to second * 1000 + 999 ms
    FlashCount flashes;   // the worst period centred in it
    // The frame of that period in which most of its failing fields had just
    // made a rising transition, and those fields.
    std::int32_t worstTime = 0;
    std::vector<FieldRect> fields;
};

constexpr int kMostFlashesASecond = 3;

// Counts the flashes of a range's frames as they come. Every frame step
// ends a one-second period; a period is filed under the second that holds
// its middle. Each failing second is printed on `out` once its periods are all
// in, with the scenes it shows; close() prints a summary line with the
// most flashes of any second.
class FlashReport : public FrameSink {
public:
    FlashReport(int width, int height, const FrameRange &range, std::FILE *out);

    bool add(const std::vector<std::uint8_t> &rgb, std::string &error) override;
    bool close(std::string &error) override;

    const std::vector<FlashSecond> &failingSeconds() const { return failing; }
    // The most flashes of each kind in any second finished so far.
    FlashCount mostInASecond() const { return most; }

private:
    void finishSecond();

    FlashCounter counter;
    FrameRange range;
    std::FILE *out;
    int width, height;
    std::int64_t frames = 0;
    std::int64_t seconds = 0;
    FlashSecond current{0, {}, 0, {}};
    FlashCount most;  // of all seconds
    std::int64_t worstSecond = 0;  // the first with the most of either kind
    std::vector<FlashSecond> failing;
};
