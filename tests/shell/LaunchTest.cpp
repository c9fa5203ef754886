// Splitting a command line as a shell would, and starting programs without
// a shell.
#include <gtest/gtest.h>

#include "ShellSupport.h"
#include "shell/Launch.h"

namespace pm::shell {
namespace {

using Words = std::vector<std::string>;
using pm::test::TempFolder;

TEST(SplitArgumentsTest, BlanksSeparateWords) {
    EXPECT_EQ(SplitArguments(""), Words{});
    EXPECT_EQ(SplitArguments(" \t\r\n "), Words{});
    EXPECT_EQ(SplitArguments("a"), Words{"a"});
    EXPECT_EQ(SplitArguments("  a   b\tc\nd  "), (Words{"a", "b", "c", "d"}));
}

TEST(SplitArgumentsTest, Quotes) {
    EXPECT_EQ(SplitArguments("\"a b\" 'c d'"), (Words{"a b", "c d"}));
    // Parts in quotes and out of them make one word.
    EXPECT_EQ(SplitArguments("x\"a b\"'c'd"), Words{"xa bcd"});
    // An empty pair is an empty word; nothing at all is none.
    EXPECT_EQ(SplitArguments("\"\" ''"), (Words{"", ""}));
    // Single quotes keep backslashes and double quotes; double quotes keep
    // single quotes.
    EXPECT_EQ(SplitArguments("'a\\b\"c' \"it's\""), (Words{"a\\b\"c", "it's"}));
    // An unterminated quote runs to the end, blanks included.
    EXPECT_EQ(SplitArguments("a \"b c"), (Words{"a", "b c"}));
    EXPECT_EQ(SplitArguments("a 'b c"), (Words{"a", "b c"}));
}

TEST(SplitArgumentsTest, Backslashes) {
    EXPECT_EQ(SplitArguments("a\\ b"), Words{"a b"});
    EXPECT_EQ(SplitArguments("\\\"x"), Words{"\"x"});
    // In double quotes only '"', '\', '$' and '`' are escaped.
    EXPECT_EQ(SplitArguments("\"\\\" \\\\ \\$ \\` \\a\""), Words{"\" \\ $ ` \\a"});
    // A backslash at the very end stands for itself.
    EXPECT_EQ(SplitArguments("a\\"), Words{"a\\"});
    EXPECT_EQ(SplitArguments("\"a\\\""), Words{"a\""});  // escaped quote, then the end
}

TEST(SplitArgumentsTest, NothingIsExpandedOrRun) {
    EXPECT_EQ(SplitArguments("$HOME ~ a;b | `id` $(id) *"),
              (Words{"$HOME", "~", "a;b", "|", "`id`", "$(id)", "*"}));
    // Windows-1251 letters pass as bytes.
    EXPECT_EQ(SplitArguments("\xCA\xED\xE8\xE3\xE0 \"\xE4\xE2\xE0 \xF1\xEB\xEE\xE2\xE0\""),
              (Words{"\xCA\xED\xE8\xE3\xE0", "\xE4\xE2\xE0 \xF1\xEB\xEE\xE2\xE0"}));
}

TEST(FindProgramTest, PathLookupAndExplicitPaths) {
    TempFolder dir;
    const std::string tool = pm::test::ArgumentRecorder(dir, dir / "unused");
    EXPECT_EQ(FindProgram(tool), tool);
    EXPECT_EQ(FindProgram("sh").empty(), false);
    EXPECT_EQ(FindProgram(""), "");
    EXPECT_EQ(FindProgram("no-such-program-pellmark"), "");
    // A file that is not executable, and a folder, are no programs.
    const std::string plain = dir / "plain";
    pm::test::Spit(plain, "text");
    EXPECT_EQ(FindProgram(plain), "");
    EXPECT_EQ(FindProgram(dir.Path().string()), "");
}

TEST(StartDetachedTest, ArgumentsArriveAsTheyAre) {
    TempFolder dir;
    const std::string record = dir / "args";
    const std::string tool = pm::test::ArgumentRecorder(dir, record);
    const std::string marker = dir / "injected";
    const Words args = {"plain", "two words", "; touch " + marker, "$(touch " + marker + ")", "`touch " + marker + "`",
                        "~", "", "*"};
    std::string error;
    ASSERT_TRUE(StartDetached(tool, args, &error)) << error;
    EXPECT_EQ(pm::test::RecordedArguments(record), args);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(StartDetachedTest, MissingOrNonExecutableProgramIsReported) {
    TempFolder dir;
    std::string error;
    EXPECT_FALSE(StartDetached(dir / "missing", {}, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    const std::string plain = dir / "plain";
    pm::test::Spit(plain, "#!/bin/sh\n");
    error.clear();
    EXPECT_FALSE(StartDetached(plain, {}, &error));
    EXPECT_FALSE(error.empty());
    // A script whose interpreter is missing fails in exec, after the fork.
    const std::string broken = dir / "broken";
    pm::test::Spit(broken, "#!/no/such/interpreter\n");
    chmod(broken.c_str(), 0755);
    error.clear();
    EXPECT_FALSE(StartDetached(broken, {}, &error));
    EXPECT_NE(error.find("broken"), std::string::npos);
}

TEST(RunAndWaitTest, ExitStatus) {
    EXPECT_TRUE(RunAndWait("sh", {"-c", "exit 0"}));
    EXPECT_FALSE(RunAndWait("sh", {"-c", "exit 1"}));
    EXPECT_FALSE(RunAndWait("no-such-program-pellmark", {}));
}

}  // namespace
}  // namespace pm::shell
