#include "capture_memory.h"

#include "flash_counter.h"
#include "largest_of_shape.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Peaks measured with Mesa's llvmpipe, resident, at sizes from 256x256 to
// 4096x4096: the tool itself with Mesa and LLVM loaded; each pixel drawn,
// for the 4x multisampled colour and depth, the resolved copy, the frame
// read back and its PNG; each pixel of a contact sheet's tile, with its
// share of the sheet; and ffmpeg encoding with libx264 (medium preset, its
// lookahead full after some 40 frames).
constexpr std::uint64_t kMiB = 1 << 20;
constexpr std::uint64_t kToolBytes = 100 * kMiB;
constexpr std::uint64_t kDrawnPixelBytes = 44;
constexpr std::uint64_t kSheetTilePixelBytes = 74;
constexpr std::uint64_t kEncoderBytes = 60 * kMiB;
constexpr std::uint64_t kEncodedPixelBytes = 223;

// A limit this large is none (cgroup v1 writes "no limit" as about 2^63).
constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 62;

namespace fs = std::filesystem;

std::optional<std::uint64_t> readNumber(const fs::path &file)
{
    std::ifstream in(file);
    std::uint64_t value;
    if (in >> value)
        return value;
    return std::nullopt;  // missing, or "max"
}

std::optional<std::uint64_t> memAvailable(const fs::path &root)
{
    std::ifstream in(root / "proc/meminfo");
    std::string key;
    std::uint64_t kib;
    while (in >> key >> kib) {
        if (key == "MemAvailable:")
            return kib * 1024;
        in.ignore(1 << 10, '\n');
    }
    return std::nullopt;
}

// What the cgroup at `group` (a path in its hierarchy) and each above it
// leave under their limits, into `budget` where less.
void lowerToCgroups(MemoryBudget &budget, const fs::path &hierarchy, fs::path group,
                    const char *limitFile, const char *usageFile)
{
    for (;;) {
        const auto limit = readNumber(hierarchy / group.relative_path() / limitFile);
        const auto usage = readNumber(hierarchy / group.relative_path() / usageFile);
        if (limit && usage && *limit < kNoLimit) {
            const std::uint64_t left = *limit > *usage ? *limit - *usage : 0;
            if (left < budget.bytes)
                budget = {left, "left under cgroup " + group.string() + "'s limit of "
                                    + std::to_string(*limit / kMiB) + " MiB"};
        }
        if (group == group.root_path())
            return;
        group = group.parent_path();
    }
}

std::string sizeText(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string subject(const CaptureOptions &options, int width, int height)
{
    const std::string size = sizeText(width, height);
    switch (options.kind) {
    case OutputKind::Still: return "a still of " + size;
    case OutputKind::Frames: return "a frame of " + size;
    case OutputKind::Video: return "a video of " + size;
    case OutputKind::ContactSheet: return "a contact sheet of " + size + " tiles";
    case OutputKind::Flashes:
        return "counting the flashes of " + size + " frames at " + std::to_string(options.range.fps)
            + " fps";
    case OutputKind::Light: return "comparing the light of " + size + " frames";
    }
    return size;
}

} // namespace

std::optional<MemoryBudget> readMemoryBudget(const std::string &rootPath)
{
    const fs::path root(rootPath);
    const auto available = memAvailable(root);
    if (!available)
        return std::nullopt;
    MemoryBudget budget{*available, "available"};

    // "0::/path" for the unified hierarchy, "N:memory:/path" for version 1's.
    std::ifstream in(root / "proc/self/cgroup");
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const fs::path group = line.substr(second + 1);
        if (controllers.empty()) {
            for (const char *unified : {"sys/fs/cgroup", "sys/fs/cgroup/unified"})
                lowerToCgroups(budget, root / unified, group, "memory.max", "memory.current");
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            lowerToCgroups(budget, root / "sys/fs/cgroup/memory", group, "memory.limit_in_bytes",
                           "memory.usage_in_bytes");
        }
    }
    return budget;
}

std::uint64_t bytesNeeded(const CaptureOptions &options, int width, int height)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    switch (options.kind) {
    case OutputKind::Still:
    case OutputKind::Frames: return kToolBytes + pixels * kDrawnPixelBytes;
    case OutputKind::ContactSheet: return kToolBytes + pixels * kSheetTilePixelBytes;
    case OutputKind::Video:
        return kToolBytes + kEncoderBytes + pixels * (kDrawnPixelBytes + kEncodedPixelBytes);
    case OutputKind::Flashes:
        return kToolBytes + pixels * kDrawnPixelBytes
            + FlashCounter::bytesFor(width, height, options.range.fps);
    case OutputKind::Light: // the normal frame, RGB, is held while the gentle one draws
        return kToolBytes + pixels * (kDrawnPixelBytes + 3);
    }
    return 0;
}

std::optional<std::string> memoryShortfall(const CaptureOptions &options,
                                           const MemoryBudget &budget)
{
    const int w = options.size.width, h = options.size.height;
    const std::uint64_t needed = bytesNeeded(options, w, h);
    if (needed <= budget.bytes)
        return std::nullopt;
    const auto [fitWidth, fitHeight] = largestOfShape(
        w, h, options.kind == OutputKind::Video,
        [&](int w, int h) { return bytesNeeded(options, w, h) <= budget.bytes; });
    std::ostringstream line;
    line << subject(options, w, h) << " needs about "
         << needed / kMiB << " MiB of memory, more than the " << budget.bytes / kMiB << " MiB "
         << budget.limit << "; ";
    if (fitWidth > 0)
        line << "the largest of that shape that fits is " << sizeText(fitWidth, fitHeight);
    else
        line << "no size fits";
    return line.str();
}
