#pragma once

#include "capture_options.h"

#include <cstdint>
#include <optional>
#include <string>

// Whether a capture fits in memory, worked out before it starts: a capture
// too large for the machine would otherwise be killed part-way by the
// kernel, with no word said.

// The memory a capture may take: the least of what the kernel counts as
// available and what each memory cgroup the tool runs in, up to the top,
// leaves below its limit.
struct MemoryBudget {
    std::uint64_t bytes;
    std::string limit;  // which it is: "available", "left under cgroup /a/b's limit of N MiB"
};

// Read from the files under `root`, "/" on this machine: MemAvailable in
// proc/meminfo, the tool's cgroups in proc/self/cgroup, then each cgroup's
// memory.max less memory.current under sys/fs/cgroup (or its unified/
// beside version 1's hierarchies), or version 1's memory.limit_in_bytes
// less memory.usage_in_bytes under sys/fs/cgroup/memory. None when not
// even meminfo can be read.
std::optional<MemoryBudget> readMemoryBudget(const std::string &root = "/");

// About the most memory the capture holds at once, the helper programs it
// runs included, at `width` by `height` (a contact sheet's tile).
std::uint64_t bytesNeeded(const CaptureOptions &options, int width, int height);

// Why the capture cannot fit in `budget`, in one line with the largest size
// of its shape that would; none when it fits.
std::optional<std::string> memoryShortfall(const CaptureOptions &options,
                                           const MemoryBudget &budget);
