#include "flash_report.h"

#include "timeline.h"

#include <algorithm>

namespace {

std::int64_t secondOf(std::int64_t t)
{
    return t >= 0 ? t / 1000 : -((999 - t) / 1000);
}

bool fails(const FlashCount &count)
{
    return count.general > kMostFlashesASecond || count.red > kMostFlashesASecond;
}

std::string scenesOf(std::int64_t second)
{
    const auto sceneAtMs = [](std::int64_t t) {
        return sceneAt(static_cast<std::int32_t>(std::clamp<std::int64_t>(t, 0, kTimelineEnd - 1)));
    };
    const int first = sceneAtMs(second * 1000), last = sceneAtMs(second * 1000 + 999);
    return first == last ? "scene " + std::to_string(first)
                         : "scenes " + std::to_string(first) + "-" + std::to_string(last);
}

} // namespace

FlashReport::FlashReport(int width, int height, const FrameRange &range, std::FILE *out)
    : counter(width, height, range.fps), range(range), out(out), width(width), height(height)
{
}

bool FlashReport::add(const std::vector<std::uint8_t> &rgb, std::string &)
{
    const FlashCount count = counter.add(rgb.data());
    // The period that ends with frame i starts fps frames earlier, at
    // exactly 1000 ms before it; the range's first periods are shorter.
    const std::int64_t middle =
        std::max<std::int64_t>(std::int64_t{range.timeOf(frames)} - 500, range.from);
    const std::int64_t second = secondOf(middle);
    if (frames == 0)
        current = {second, {}};
    else if (second != current.second) {
        finishSecond();
        current = {second, {}};
    }
    current.flashes.general = std::max(current.flashes.general, count.general);
    current.flashes.red = std::max(current.flashes.red, count.red);
    ++frames;
    return true;
}

void FlashReport::finishSecond()
{
    ++seconds;
    if (!fails(current.flashes))
        return;
    failing.push_back(current);
    if (out) {
        std::fprintf(out, "second %lld (%lld to %lld ms, %s): %d flashes, %d red flashes\n",
                     static_cast<long long>(current.second),
                     static_cast<long long>(current.second * 1000),
                     static_cast<long long>(current.second * 1000 + 999),
                     scenesOf(current.second).c_str(), current.flashes.general,
                     current.flashes.red);
        std::fflush(out);
    }
}

bool FlashReport::close(std::string &)
{
    if (frames > 0)
        finishSecond();
    if (!out)
        return true;
    if (failing.empty())
        std::fprintf(out, "no second holds more than %d flashes (%lld seconds, %dx%d, %d fps)\n",
                     kMostFlashesASecond, static_cast<long long>(seconds), width, height, range.fps);
    else
        std::fprintf(out, "%zu of %lld seconds hold more than %d flashes (%dx%d, %d fps)\n",
                     failing.size(), static_cast<long long>(seconds), kMostFlashesASecond, width,
                     height, range.fps);
    std::fflush(out);
    return true;
}
