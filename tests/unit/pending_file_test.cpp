#include "pending_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

// The test binary is linked with fsync and rename wrapped (-Wl,--wrap), so
// the order of syncs and renames can be seen and a sync made to fail.
extern "C" int __real_fsync(int fd);
extern "C" int __real_rename(const char *from, const char *to);

namespace {

std::string diskLog;     // "sync NAME", "rename NAME NAME", by file name
int failingSyncs = 0;    // the next syncs that fail with EIO

std::string nameOf(int fd)
{
    const fs::path path = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
    return path.filename().string();
}

} // namespace

extern "C" int __wrap_fsync(int fd)
{
    diskLog += "sync " + nameOf(fd) + "; ";
    if (failingSyncs > 0) {
        --failingSyncs;
        errno = EIO;
        return -1;
    }
    return __real_fsync(fd);
}

extern "C" int __wrap_rename(const char *from, const char *to)
{
    diskLog += "rename " + fs::path(from).filename().string().substr(0, 16) + " "
        + fs::path(to).filename().string() + "; ";
    return __real_rename(from, to);
}

namespace {

class PendingFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/ostre3-pending-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        std::ofstream(target()) << "old";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string target() const { return (dir / "out.bin").string(); }

    std::string contents() const
    {
        std::ifstream in(target());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // What a reader of the folder finds: its files and the target's bytes.
    std::string seen() const
    {
        std::string names;
        for (const auto &entry : fs::directory_iterator(dir))
            names += entry.path().filename().string() + " ";
        return names + contents();
    }

    fs::path dir;
};

} // namespace

TEST_F(PendingFileTest, TheOldFileStandsUntilTheNewOneIsCommitted)
{
    {
        PendingFile file(target());
        ASSERT_TRUE(file.open()) << file.error();
        ASSERT_TRUE(file.write("new", 3)) << file.error();
        EXPECT_EQ(contents(), "old");
    }  // never committed, as when a run fails part-way
    EXPECT_EQ(seen(), "out.bin old");

    PendingFile file(target());
    ASSERT_TRUE(file.open() && file.write("new", 3) && file.commit()) << file.error();
    EXPECT_EQ(seen(), "out.bin new");
}

TEST_F(PendingFileTest, AFailedWriteSaysWhyAndLeavesTheOldFile)
{
    {
        PendingFile file(target());
        ASSERT_TRUE(file.open()) << file.error();
        // Files may grow to 2 bytes: the write stops part-way with EFBIG.
        rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{2, limit.rlim_max};
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = file.write("new", 3);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);

        EXPECT_FALSE(written);
        EXPECT_EQ(file.error(), "cannot write " + target() + ": File too large");
    }
    EXPECT_EQ(seen(), "out.bin old");
}

TEST_F(PendingFileTest, AnUnwritableTargetIsRefusedBeforeAnyWork)
{
    PendingFile inMissingFolder((dir / "missing" / "out.bin").string());
    EXPECT_FALSE(inMissingFolder.open());
    EXPECT_EQ(inMissingFolder.error(),
              "cannot write " + (dir / "missing" / "out.bin").string() + ": No such file or directory");

    PendingFile overFolder(dir.string());
    EXPECT_FALSE(overFolder.open());
    EXPECT_EQ(overFolder.error(), "cannot write " + dir.string() + ": it is a directory");
    EXPECT_EQ(seen(), "out.bin old");
}

TEST_F(PendingFileTest, TheContentReachesTheDiskBeforeTheNameAndTheNameBeforeSuccess)
{
    PendingFile file(target());
    ASSERT_TRUE(file.open() && file.write("new", 3)) << file.error();
    const std::string temporary = fs::path(file.temporaryPath()).filename().string();
    diskLog.clear();
    ASSERT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(diskLog, "sync " + temporary + "; rename out.bin.partial- out.bin; sync "
                  + dir.filename().string() + "; ");
}

TEST_F(PendingFileTest, AFailedSyncSaysWhyAndLeavesTheOldFile)
{
    {
        PendingFile file(target());
        ASSERT_TRUE(file.open() && file.write("new", 3)) << file.error();
        failingSyncs = 1;
        EXPECT_FALSE(file.commit());
        failingSyncs = 0;
        EXPECT_EQ(file.error(), "cannot write " + target() + ": Input/output error");
    }
    EXPECT_EQ(seen(), "out.bin old");
}
