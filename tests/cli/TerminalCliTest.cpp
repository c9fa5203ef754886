// On a terminal the status line is redrawn in place; whatever follows it
// must start a line of its own.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "common/AtomicFile.h"

namespace pm::test {
namespace {

class TerminalCli : public CliScratch {
protected:
    void SetUp() override {
        in = (dir / "story.txt").string();
        ASSERT_TRUE(WriteFileAtomic(in, "Hello world.\r\n\r\nAnother paragraph.\r\n"));
    }
    std::string in;
};

TEST_F(TerminalCli, ClosingLineStandsAlone) {
    const std::string out = (dir / "story.html").string();
    int code = -1;
    const std::string raw = RunCliOnTerminal({"convert", in, "--no-config", "-o", out}, code);
    ASSERT_EQ(code, 0) << raw;
    // The status line was shown at all, so the test sees the real case.
    ASSERT_NE(raw.find("Ready"), std::string::npos) << raw;
    EXPECT_EQ(ScreenLines(raw), std::vector<std::string>{"Wrote " + out}) << raw;
}

TEST_F(TerminalCli, FailureMessageStandsAlone) {
    const std::string out = (dir / "no" / "such" / "folder" / "story.html").string();
    int code = -1;
    const std::string raw = RunCliOnTerminal({"convert", in, "--no-config", "-o", out}, code);
    EXPECT_EQ(code, 1);
    const std::vector<std::string> screen = ScreenLines(raw);
    ASSERT_EQ(screen.size(), 1u) << raw;
    EXPECT_EQ(screen[0].rfind("pellmark-cli: ", 0), 0u) << raw;
    EXPECT_NE(screen[0].find("story.html"), std::string::npos) << raw;
}

}  // namespace
}  // namespace pm::test
