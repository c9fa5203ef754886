// The command-line converter's output under injected failures: the exit
// status says it failed, standard error names the file and the reason, the
// old output stays and no temporary file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliRun.h"
#include "support/Faults.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

class CliFaults : public ::testing::Test {
protected:
    FaultDir dir;
    std::string book = dir / "book.txt";
    void SetUp() override { fs::copy_file(std::string(PM_TEST_DATA) + "/russian-book.txt", book); }
    Outcome Convert(const std::string& options) {
        const CliResult r = RunCli("convert " + ShellQuote(book) + " --no-config " + options);
        return {r.code == 0, r.err};
    }
};

TEST_F(CliFaults, FullDiskKeepsTheOldOutput) {
    const std::string out = dir / "book.html";
    Spit(out, "old book");
    // Room enough for the messages, not for the book.
    const Outcome r = WithFileSizeLimit(4096, [&] { return Convert("-o " + ShellQuote(out)); });
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Cannot write \"" + out + "\": File too large"), std::string::npos) << r.message;
    EXPECT_EQ(Slurp(out), "old book");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"book.html", "book.txt"}));
}

TEST_F(CliFaults, MissingOrUnwritableFolderIsNamed) {
    const std::string below = BelowAFile(dir.path(), "book.html");
    Outcome r = Convert("-o " + ShellQuote(below));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Cannot create \"" + below + "\": Not a directory"), std::string::npos) << r.message;
    const std::string gone = dir / "gone/book.html";
    r = Convert("-o " + ShellQuote(gone));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Cannot create \"" + gone + "\": No such file or directory"), std::string::npos)
        << r.message;
}

}  // namespace
}  // namespace pm::test
