#include "capture_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

// A machine's /proc and /sys/fs/cgroup, as far as the budget reads them.
class FakeMachine {
public:
    FakeMachine()
    {
        char name[] = "/tmp/ostre3-memory-XXXXXX";
        root = mkdtemp(name);
    }
    ~FakeMachine() { fs::remove_all(root); }

    void write(const std::string &file, const std::string &text) const
    {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << text;
    }

    MemoryBudget budget() const
    {
        const auto read = readMemoryBudget(root.string());
        EXPECT_TRUE(read);
        return read.value_or(MemoryBudget{0, "unread"});
    }

    fs::path root;
};

CaptureOptions capture(OutputKind kind, int width, int height)
{
    CaptureOptions options;
    options.kind = kind;
    options.size = {width, height};
    return options;
}

} // namespace

TEST(MemoryBudget, IsTheLeastLeftUnderEveryLimitUpTheCgroups)
{
    FakeMachine machine;
    machine.write("proc/meminfo", "MemTotal: 16000000 kB\nMemFree: 9000000 kB\n"
                                  "MemAvailable: 12000000 kB\n");
    machine.write("proc/self/cgroup", "0::/user.slice/capture\n");
    EXPECT_EQ(machine.budget().bytes, 12000000ull * 1024);
    EXPECT_EQ(machine.budget().limit, "available");

    // 3 GiB above, 1 GiB of it used; nothing set below.
    machine.write("sys/fs/cgroup/user.slice/memory.max", std::to_string(3 * kGiB) + "\n");
    machine.write("sys/fs/cgroup/user.slice/memory.current", std::to_string(kGiB) + "\n");
    machine.write("sys/fs/cgroup/user.slice/capture/memory.max", "max\n");
    machine.write("sys/fs/cgroup/user.slice/capture/memory.current", "4096\n");
    EXPECT_EQ(machine.budget().bytes, 2 * kGiB);
    EXPECT_EQ(machine.budget().limit, "left under cgroup /user.slice's limit of 3072 MiB");

    // Version 1's memory hierarchy, as on a machine without the unified one.
    machine.write("proc/self/cgroup", "4:memory:/box\n1:cpu,cpuacct:/box\n");
    machine.write("sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n");
    machine.write("sys/fs/cgroup/memory/memory.usage_in_bytes", "900000000\n");
    machine.write("sys/fs/cgroup/memory/box/memory.limit_in_bytes", std::to_string(kGiB));
    machine.write("sys/fs/cgroup/memory/box/memory.usage_in_bytes", std::to_string(kGiB / 4));
    EXPECT_EQ(machine.budget().bytes, 3 * kGiB / 4);
}

// Under a 3 GiB limit a still of 8192x8192 (measured: 2.9 GB at its peak)
// fits; one of 10000x10000, which the kernel would kill, is refused up
// front, with a size that fits.
TEST(MemoryBudget, ACaptureTooLargeIsRefusedWithTheLargestSizeThatFits)
{
    const MemoryBudget budget{3 * kGiB, "left under cgroup /small's limit of 3072 MiB"};
    EXPECT_FALSE(memoryShortfall(capture(OutputKind::Still, 8192, 8192), budget));
    const auto refused = memoryShortfall(capture(OutputKind::Still, 10000, 10000), budget);
    ASSERT_TRUE(refused);
    const std::string start = "a still of 10000x10000 needs about ";
    EXPECT_EQ(refused->substr(0, start.size()), start) << *refused;
    EXPECT_NE(refused->find(" MiB of memory, more than the 3072 MiB left under cgroup /small's "
                            "limit of 3072 MiB; the largest of that shape that fits is "),
              std::string::npos)
        << *refused;

    for (const OutputKind kind : {OutputKind::Still, OutputKind::Video, OutputKind::ContactSheet,
                                  OutputKind::Flashes}) {
        const CaptureOptions options = capture(kind, 16000, 9000);
        const auto line = memoryShortfall(options, budget);
        ASSERT_TRUE(line);
        int w = 0, h = 0;
        ASSERT_EQ(std::sscanf(line->c_str() + line->rfind(' '), " %dx%d", &w, &h), 2) << *line;
        EXPECT_FALSE(memoryShortfall(capture(kind, w, h), budget)) << *line;
        EXPECT_TRUE(memoryShortfall(capture(kind, w + 20, h + 11), budget)) << *line;
        EXPECT_NEAR(double(w) / h, 16.0 / 9, 0.01) << *line;
        if (kind == OutputKind::Video) {
            EXPECT_TRUE(w % 2 == 0 && h % 2 == 0) << *line;
        }
    }
}
