#include "pending_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace fs = std::filesystem;

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
