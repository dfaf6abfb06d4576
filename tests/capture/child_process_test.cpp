#include "child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

TEST(ChildProcess, MissingProgramIsAnErrorNotACrash)
{
    std::string error;
    EXPECT_FALSE(ChildProcess::start({"ostre3-no-such-program"}, error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST(ChildProcess, FedInputArrivesWholeAndFailureComesWithItsLastLine)
{
    std::string error;
    auto wc = ChildProcess::start({"wc", "-c"}, error);
    ASSERT_TRUE(wc) << error;
    const std::vector<char> block(1 << 20, 'x');  // larger than a pipe holds
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(wc->feed(block.data(), block.size()));
    EXPECT_TRUE(wc->finish());
    EXPECT_EQ(wc->output(), "3145728\n");

    auto failing = ChildProcess::start({"sh", "-c", "echo first; echo 'it broke' >&2; exit 3"},
                                       error);
    ASSERT_TRUE(failing) << error;
    EXPECT_FALSE(failing->finish());
    EXPECT_EQ(failing->lastLine(), "it broke");
}

TEST(ChildProcess, FeedingAProgramThatQuitReportsFalse)
{
    std::signal(SIGPIPE, SIG_IGN);  // as the capture tool does
    std::string error;
    auto quitter = ChildProcess::start({"true"}, error);
    ASSERT_TRUE(quitter) << error;
    const std::vector<char> block(1 << 20, 'x');
    bool fed = true;
    for (int i = 0; i < 8 && fed; ++i)
        fed = quitter->feed(block.data(), block.size());
    EXPECT_FALSE(fed);
    EXPECT_TRUE(quitter->finish());
}
