// pellmark-cli config import / export, end to end.
#include <gtest/gtest.h>
#include <sys/stat.h>
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

class ConfigCommand : public ::testing::Test {
protected:
    fs::path dir, store;
    std::string out, err;

    void SetUp() override {
        char tmpl[] = "/tmp/pm-cli-config-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        store = dir / "store" / "pellmark.reg";
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs pellmark-cli with ARGS (already quoted for the shell) on the test store.
    int Cli(const std::string& args) {
        const std::string cmd = "PELLMARK_CONFIG='" + store.string() + "' '" PM_CLI "' " + args + " >'" +
                                (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        const int status = std::system(cmd.c_str());
        out = Slurp(dir / "out");
        err = Slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string File(const std::string& name, const std::string& bytes) {
        Spit(dir / name, bytes);
        return "'" + (dir / name).string() + "'";
    }
};

const std::string kSkin =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\html]\r\n"
    "\"Head\"=\"<html><title>\xC7\xE0\xE3\xEE\xEB\xEE\xE2\xEE\xEA</title>\r\n<body>\"\r\n"
    "\"FileExt\"=\".html\"\r\n\r\n";

TEST_F(ConfigCommand, ImportThenExportKeepsTheBytes) {
    ASSERT_EQ(Cli("config import " + File("skin.reg", kSkin)), 0) << err;
    ASSERT_EQ(Cli("config export html"), 0) << err;
    EXPECT_EQ(out, kSkin);
    ASSERT_EQ(Cli("config export 'HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\HTML' '" +
                  (dir / "x.reg").string() + "'"),
              0)
        << err;
    EXPECT_EQ(Slurp(dir / "x.reg"), kSkin);
    EXPECT_EQ(Slurp(store), kSkin);
}

TEST_F(ConfigCommand, ADeviceAsTheStoreIsNoSettingsAndAPipeIsNeverRead) {
    const std::string book = File("book.txt", "One line.\r\n");
    store = "/dev/null";
    ASSERT_EQ(Cli("convert " + book + " -o '" + (dir / "a.html").string() + "'"), 0) << err;
    EXPECT_EQ(err, "");
    // Reading a pipe nobody writes to would wait for ever.
    store = dir / "pipe";
    ASSERT_EQ(::mkfifo(store.c_str(), 0600), 0);
    ASSERT_EQ(Cli("convert " + book + " -o '" + (dir / "b.html").string() + "'"), 0) << err;
    EXPECT_NE(err.find("is not a plain file"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(dir / "b.html"));
}

TEST_F(ConfigCommand, BadFileIsReportedByLineAndChangesNothing) {
    ASSERT_EQ(Cli("config import " + File("skin.reg", kSkin)), 0) << err;
    const std::string before = Slurp(store);
    const std::string bad = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\A]\n\"ok\"=\"1\"\n\"bad\"=dword:zz\n";
    EXPECT_EQ(Cli("config import " + File("bad.reg", bad)), 1);
    EXPECT_NE(err.find("line 5"), std::string::npos) << err;
    EXPECT_EQ(Slurp(store), before);

    EXPECT_EQ(Cli("config import " + File("m.reg", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\A]\n")), 1);
    EXPECT_NE(err.find("read-only"), std::string::npos) << err;
    EXPECT_EQ(Slurp(store), before);
    EXPECT_EQ(Cli("config import '" + (dir / "missing.reg").string() + "'"), 1);
}

TEST_F(ConfigCommand, CorruptStoreStaysPutUnlessAnImportSucceeds) {
    fs::create_directories(store.parent_path());
    const std::string corrupt = "not a registry file\n";
    Spit(store, corrupt);
    auto asideFiles = [&] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(store.parent_path())) n += e.path() != store;
        return n;
    };
    EXPECT_EQ(Cli("config export"), 0);
    EXPECT_EQ(out, "REGEDIT4\r\n\r\n");
    EXPECT_NE(err.find("could not be read"), std::string::npos) << err;
    EXPECT_EQ(Cli("config import " + File("bad.reg", "REGEDIT4\n\n\"x\"=\"1\"\n")), 1);
    EXPECT_EQ(Slurp(store), corrupt);
    EXPECT_EQ(asideFiles(), 0);

    ASSERT_EQ(Cli("config import " + File("skin.reg", kSkin)), 0) << err;
    EXPECT_EQ(Slurp(store), kSkin);
    EXPECT_EQ(asideFiles(), 1);  // the unreadable file was kept under a new name
}

TEST_F(ConfigCommand, UsageAndMissingKeys) {
    EXPECT_EQ(Cli("config"), 2);
    EXPECT_EQ(Cli("config import"), 2);
    EXPECT_EQ(Cli("config frobnicate"), 2);
    EXPECT_EQ(Cli("config export a b c"), 2);
    EXPECT_EQ(Cli("config --help"), 0);
    EXPECT_NE(out.find("HKEY_CURRENT_USER"), std::string::npos);
    EXPECT_EQ(Cli("config export Nothing"), 1);
    EXPECT_NE(err.find("Nothing"), std::string::npos);
    EXPECT_EQ(Cli("config export"), 0);
    EXPECT_EQ(out, "REGEDIT4\r\n\r\n");
    EXPECT_FALSE(fs::exists(store));  // reading never creates the store
}

}  // namespace
