#include <gtest/gtest.h>

#include "CliRun.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "document/LineList.h"

namespace pm::test {
namespace {

// The three sample books hold the same story in KOI8-R, DOS 866 and UTF-8.
std::string Data(const std::string& name) { return std::string(PM_TEST_DATA) + "/" + name; }

std::string ExpectedDump() {
    std::string utf8;
    EXPECT_TRUE(ReadWholeFile(Data("utf8.txt"), utf8));
    const LineList lines = LineList::FromText(cp1251::FromUtf8(utf8));
    std::string dump;
    for (size_t i = 0; i < lines.Count(); ++i) dump += "0\t" + cp1251::ToUtf8(lines.Text(i)) + "\n";
    return dump;
}

TEST(EncodingCli, EveryCodePageArrivesAsTheSameWindows1251Text) {
    const std::string expected = ExpectedDump();
    for (const char* book : {"koi8.txt", "dos866.txt", "utf8.txt"}) {
        const CliResult r = RunCli("convert " + ShellQuote(Data(book)) + " --no-config --stages 0 --dump-lines");
        ASSERT_EQ(r.code, 0) << book << ": " << r.err;
        EXPECT_EQ(r.out, expected) << book;
    }
}

TEST(EncodingCli, TheDocumentIsWindows1251Bytes) {
    std::string utf8;
    ASSERT_TRUE(ReadWholeFile(Data("utf8.txt"), utf8));
    const std::string firstLine = cp1251::FromUtf8(utf8.substr(0, utf8.find('\r')));
    const CliResult r = RunCli("convert " + ShellQuote(Data("koi8.txt")) + " --no-config -o -");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(firstLine.substr(0, 14)), std::string::npos);
    EXPECT_FALSE(cp1251::LooksLikeUtf8(r.out));
}

TEST(EncodingCli, RefusingTheConversionKeepsTheBytes) {
    std::string koi;
    ASSERT_TRUE(ReadWholeFile(Data("koi8.txt"), koi));
    const CliResult r =
        RunCli("convert " + ShellQuote(Data("koi8.txt")) + " --no-config --answer encoding=no --stages 0 --dump-lines");
    ASSERT_EQ(r.code, 0) << r.err;
    const LineList lines = LineList::FromText(koi);
    EXPECT_EQ(r.out.substr(0, 2 + cp1251::ToUtf8(lines.Text(0)).size()), "0\t" + cp1251::ToUtf8(lines.Text(0)));
}

}  // namespace
}  // namespace pm::test
