#include "flash_report.h"

#include "timeline.h"

#include <algorithm>

namespace {

std::int64_t secondOf(std::int64_t t)
{
    return t >= 0 ? t / 1000 : -((999 - t) / 1000);
}

int worstOf(const FlashCount &count)
{
    return std::max(count.general, count.red);
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
        current = {second, {}, 0, {}};
    else if (second != current.second) {
        finishSecond();
        current = {second, {}, 0, {}};
    }
    if (fails(count) && worstOf(count) > worstOf(current.flashes)) {
        FlashCounter::Moment moment = counter.worstMoment(kMostFlashesASecond);
        current.worstTime = range.timeOf(frames - moment.framesBack);
        current.fields = std::move(moment.fields);
    }
    current.flashes.general = std::max(current.flashes.general, count.general);
    current.flashes.red = std::max(current.flashes.red, count.red);
    ++frames;
    return true;
}

void FlashReport::finishSecond()
{
    ++seconds;
    if (worstOf(current.flashes) > worstOf(most))
        worstSecond = current.second;
    most.general = std::max(most.general, current.flashes.general);
    most.red = std::max(most.red, current.flashes.red);
    if (!fails(current.flashes))
        return;
    failing.push_back(std::move(current));
    const FlashSecond &last = failing.back();
    if (out) {
        std::fprintf(out, "second %lld (%lld to %lld ms, %s): %d flashes, %d red flashes\n",
                     static_cast<long long>(last.second),
                     static_cast<long long>(last.second * 1000),
                     static_cast<long long>(last.second * 1000 + 999),
                     scenesOf(last.second).c_str(), last.flashes.general,
                     last.flashes.red);
        std::fflush(out);
    }
}

bool FlashReport::close(std::string &)
{
    if (frames > 0)
        finishSecond();
    if (!out)
        return true;
    const std::string size = std::to_string(width) + "x" + std::to_string(height) + ", "
        + std::to_string(range.fps) + " fps; at most " + std::to_string(most.general)
        + " flashes and " + std::to_string(most.red) + " red flashes in a second"
        + (worstOf(most) > 0 ? ", first in second " + std::to_string(worstSecond) : "");
    if (failing.empty())
        std::fprintf(out, "no second holds more than %d flashes (%lld seconds, %s)\n",
                     kMostFlashesASecond, static_cast<long long>(seconds), size.c_str());
    else
        std::fprintf(out, "%zu of %lld seconds hold more than %d flashes (%s)\n", failing.size(),
                     static_cast<long long>(seconds), kMostFlashesASecond, size.c_str());
    std::fflush(out);
    return true;
}
