#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "common/AtomicFile.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

// three-rules.reg: "cats to dogs", "dogs to wolves" and "mark divs"; the
// source list runs "dogs to wolves" before "cats to dogs" (both checked),
// the HTML list has only "mark divs" checked.
TEST(RulesConvertCli, ImportedRulesChangeSourceAndHtmlInListOrder) {
    const fs::path dir = fs::temp_directory_path() / ("pellmark-rules-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string env = "PELLMARK_CONFIG=" + ShellQuote((dir / "user.reg").string());
    const CliResult imp = RunCli("config import " + ShellQuote(std::string(PM_TEST_DATA) + "/three-rules.reg"), env);
    ASSERT_EQ(imp.code, 0) << imp.err;

    ASSERT_TRUE(WriteFileAtomic((dir / "in.txt").string(), "The cat sat.\r\n"));
    const CliResult r = RunCli("convert " + ShellQuote((dir / "in.txt").string()) + " -o -", env);
    ASSERT_EQ(r.code, 0) << r.err;
    // The wolf rule ran first and found no dog yet; the HTML rule marked the paragraph.
    EXPECT_NE(r.out.find("<div class=\"p\" align=\"justify\">&nbsp;&nbsp;The dog sat.</div>"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("wolf"), std::string::npos);

    // Without the configuration nothing is replaced.
    const CliResult plain = RunCli("convert " + ShellQuote((dir / "in.txt").string()) + " --no-config -o -", env);
    EXPECT_NE(plain.out.find("The cat sat."), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace pm::test
