// pellmark-cli rules list / apply, end to end on a configuration file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/Files.h"

namespace {

namespace fs = std::filesystem;
using pm::test::Slurp;
using pm::test::Spit;

// Two rules: "Bold" (HTML list, checked) and "\xC5\xEB\xEA\xE8" ("Елки",
// source list, checked, listed first there).
const std::string kRulesReg =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\Regexp\\000]\r\n"
    "\"Name\"=\"Bold\"\r\n\"Search\"=\"<b>(.*)</b>\"\r\n\"Replace\"=\"<i>$1</i>\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\Regexp\\001]\r\n"
    "\"Name\"=\"\xC5\xEB\xEA\xE8\"\r\n\"Search\"=\"(?g)[\xE0-\xFF]+\"\r\n\"Replace\"=\"#\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\Regexp\\Order]\r\n"
    "\"src_0\"=dword:00000001\r\n\"src_sel_0\"=\"\"\r\n\"htm_0\"=dword:00000000\r\n\"htm_sel_0\"=\"\"\r\n"
    "\"src_1\"=dword:00000000\r\n\"htm_1\"=dword:00000001\r\n";

class RulesCommand : public ::testing::Test {
protected:
    fs::path dir;
    std::string out, err;

    void SetUp() override {
        if (!fs::exists(PM_CLI)) GTEST_SKIP() << "pellmark-cli is not built";
        char tmpl[] = "/tmp/pm-cli-rules-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        std::ofstream(dir / "pellmark.reg", std::ios::binary) << kRulesReg;
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }

    // Runs pellmark-cli with ARGS (quoted for the shell) on the test store.
    int Cli(const std::string& args) {
        const std::string cmd = "cd '" + dir.string() + "' && PELLMARK_CONFIG='" + (dir / "pellmark.reg").string() +
                                "' '" PM_CLI "' rules " + args + " >out 2>err";
        const int status = std::system(cmd.c_str());
        out = Slurp(dir / "out");
        err = Slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
};

TEST_F(RulesCommand, ListShowsBothListsWithTheirChecks) {
    ASSERT_EQ(Cli("list"), 0) << err;
    EXPECT_EQ(out,
              "source list:\n  [x] 001  \xD0\x95\xD0\xBB\xD0\xBA\xD0\xB8\n  [ ] 000  Bold\n"
              "HTML list:\n  [x] 000  Bold\n  [ ] 001  \xD0\x95\xD0\xBB\xD0\xBA\xD0\xB8\n");
    ASSERT_EQ(Cli("list --no-config"), 0) << err;
    EXPECT_EQ(out, "source list:\n  (none)\nHTML list:\n  (none)\n");
}

TEST_F(RulesCommand, ApplyWritesTheBytesOfTheResult) {
    Write("in.txt", "<b>a</b> <b>\xE1</b>\r\n\xB8\xEB\xEA\xE0");
    ASSERT_EQ(Cli("apply Bold in.txt"), 0) << err;
    EXPECT_EQ(out, "<i>a</i> <i>\xE1</i>\r\n\xB8\xEB\xEA\xE0");
    ASSERT_EQ(Cli("apply '\xD0\x95\xD0\xBB\xD0\xBA\xD0\xB8' in.txt"), 0) << err;
    EXPECT_EQ(out, "<b>a</b> <b>#</b>\r\n#");
}

TEST_F(RulesCommand, ApplyFromAnotherConfigFileAndItsFailures) {
    Write("other.reg",
          "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\Regexp\\000]\r\n"
          "\"Name\"=\"broken\"\r\n\"Search\"=\"(a\"\r\n\"Replace\"=\"\"\r\n");
    Write("in.txt", "abc");
    EXPECT_EQ(Cli("apply broken in.txt --config other.reg"), 1);
    EXPECT_EQ(out, "Error!!!\r\nabc");
    EXPECT_EQ(Cli("apply Bold in.txt --config other.reg"), 1);
    EXPECT_NE(err.find("no rule is named \"Bold\""), std::string::npos);
    EXPECT_EQ(Cli("apply Bold missing.txt"), 1);
    EXPECT_EQ(Cli("apply Bold"), 2);
    EXPECT_EQ(Cli("list --bogus"), 2);
}

}  // namespace
