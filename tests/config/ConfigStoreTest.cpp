// The configuration file on disk: load, save only when changed, atomic
// replacement, and the rule that an unreadable file is never overwritten.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/Files.h"

#include "config/ConfigStore.h"
#include "config/RegFile.h"

namespace pm {
namespace {

namespace fs = std::filesystem;
using pm::test::Slurp;
using pm::test::Spit;

class ConfigStoreTest : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        char tmpl[] = "/tmp/pm-config-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    std::vector<fs::path> Entries() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename());
        return out;
    }
};

const char kGood[] = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00]\r\n\"Hyphenate\"=dword:00000001\r\n\r\n";

TEST_F(ConfigStoreTest, MissingFileIsAnEmptyHiveAndSavingCreatesTheFolder) {
    ConfigStore store;
    store.path = (dir / "a" / "b" / "pellmark.reg").string();
    EXPECT_TRUE(store.Load());
    EXPECT_TRUE(store.warning.empty());
    EXPECT_TRUE(store.user.SubKeys("").empty());
    store.user.SetDWord("Software\\Vorn Soft\\Pellmark\\1.00", "Hyphenate", 1);
    std::string err;
    ASSERT_TRUE(store.SaveIfChanged(&err)) << err;
    EXPECT_EQ(Slurp(store.path), kGood);
}

TEST_F(ConfigStoreTest, SavesOnlyWhenSomethingChanged) {
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    Spit(store.path, kGood);
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.user.GetValue("Software\\Vorn Soft\\Pellmark\\1.00", "hyphenate")->number, 1);
    Spit(store.path, "marker");  // a rewrite would replace this
    std::string err;
    EXPECT_TRUE(store.SaveIfChanged(&err));
    EXPECT_EQ(Slurp(store.path), "marker");
    store.user.SetDWord("Software\\Vorn Soft\\Pellmark\\1.00", "Hyphenate", 1);  // same value
    EXPECT_TRUE(store.SaveIfChanged(&err));
    EXPECT_EQ(Slurp(store.path), "marker");
    store.user.SetDWord("Software\\Vorn Soft\\Pellmark\\1.00", "Hyphenate", 0);
    EXPECT_TRUE(store.SaveIfChanged(&err));
    EXPECT_NE(Slurp(store.path).find("dword:00000000"), std::string::npos);
}

// Two copies running at once (or a skin installed with the command-line tool
// while the program is open): each save keeps what the other wrote since.
TEST_F(ConfigStoreTest, SavingKeepsWhatAnotherCopyWroteMeanwhile) {
    const std::string root = "Software\\Vorn Soft\\Pellmark\\1.00";
    const std::string path = (dir / "pellmark.reg").string();
    Spit(path, std::string(kGood) + "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\Regexp]\r\n"
                                    "\"Old\"=\"rule\"\r\n\r\n");
    ConfigStore running, other;
    running.path = other.path = path;
    ASSERT_TRUE(running.Load());
    ASSERT_TRUE(other.Load());

    other.user.SetString(root + "\\html", "name", "New skin");
    other.user.DeleteKey(root + "\\Regexp");
    std::string err;
    ASSERT_TRUE(other.SaveIfChanged(&err)) << err;

    running.user.SetDWord(root, "Hyphenate", 0);
    running.user.SetDWord(root, "Window Width", 900);
    running.user.DeleteKey(root + "\\Ext");  // was never there: nothing to undo
    ASSERT_TRUE(running.SaveIfChanged(&err)) << err;

    ConfigStore after;
    after.path = path;
    ASSERT_TRUE(after.Load());
    ASSERT_TRUE(after.user.GetValue(root + "\\html", "name"));
    EXPECT_EQ(after.user.GetValue(root + "\\html", "name")->text, "New skin");
    EXPECT_FALSE(after.user.KeyExists(root + "\\Regexp"));
    EXPECT_EQ(after.user.GetValue(root, "Hyphenate")->number, 0);
    EXPECT_EQ(after.user.GetValue(root, "Window Width")->number, 900);
    // The running copy now sees the file as it is.
    EXPECT_TRUE(running.user.KeyExists(root + "\\html"));
    EXPECT_EQ(Entries().size(), 1u);

    // Removing values and keys reaches the file too, in the order made.
    ASSERT_TRUE(other.Load());
    other.user.DeleteValue(root, "Window Width");
    other.user.DeleteKey(root + "\\html");
    other.user.SetString(root + "\\html\\xml", "Ostrel", "1");
    running.user.SetDWord(root, "Window Height", 500);
    ASSERT_TRUE(other.SaveIfChanged(&err)) << err;
    ASSERT_TRUE(running.SaveIfChanged(&err)) << err;
    ASSERT_TRUE(after.Load());
    EXPECT_EQ(after.user.GetValue(root, "Window Height")->number, 500);
    EXPECT_FALSE(after.user.GetValue(root, "Window Width"));
    EXPECT_EQ(after.user.GetValue(root, "Hyphenate")->number, 0);
    EXPECT_FALSE(after.user.GetValue(root + "\\html", "name"));
    EXPECT_EQ(after.user.GetValue(root + "\\html\\xml", "Ostrel")->text, "1");
}

TEST_F(ConfigStoreTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    Spit(store.path, kGood);
    ASSERT_TRUE(store.Load());
    store.user.SetString("Software\\Big", "v", std::string(4096, 'x'));
    // A file size limit makes the write fail even for the superuser.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string err;
    const bool saved = store.SaveIfChanged(&err);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_NE(err.find("pellmark.reg"), std::string::npos) << err;
    EXPECT_EQ(Slurp(store.path), kGood);
    EXPECT_EQ(Entries().size(), 1u);
    EXPECT_TRUE(store.user.Dirty());  // a later save may still succeed
}

TEST_F(ConfigStoreTest, ReadOnlyFolderLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    Spit(store.path, kGood);
    ASSERT_TRUE(store.Load());
    store.user.SetDWord("K", "v", 1);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(Slurp(store.path), kGood);
}

TEST_F(ConfigStoreTest, CorruptFileIsKeptAsideAndNeverOverwritten) {
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    const std::string bad = "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:xyz\n";
    Spit(store.path, bad);
    EXPECT_FALSE(store.Load());
    EXPECT_TRUE(store.user.SubKeys("").empty());
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    const std::string aside = (dir / entries[0]).string();
    EXPECT_EQ(entries[0].string().rfind("pellmark.reg.corrupt-", 0), 0u);
    EXPECT_EQ(Slurp(aside), bad);
    EXPECT_EQ(store.warning, "The configuration file " + store.path + " could not be read (line 4: dword: needs hexadecimal digits); it was kept as " + aside + " and Pellmark starts with default settings.");

    store.user.SetDWord("K", "v", 1);
    std::string err;
    ASSERT_TRUE(store.SaveIfChanged(&err)) << err;
    EXPECT_EQ(Slurp(aside), bad);
    EXPECT_TRUE(fs::exists(store.path));

    // A second bad file in the same second gets a name of its own.
    Spit(store.path, bad);
    ConfigStore again;
    again.path = store.path;
    EXPECT_FALSE(again.Load());
    EXPECT_EQ(Entries().size(), 2u);  // both copies aside, no live file
    EXPECT_FALSE(fs::exists(store.path));
    EXPECT_EQ(Slurp(aside), bad);
}

TEST_F(ConfigStoreTest, UnreadableFileBlocksSaving) {
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    fs::create_directory(store.path);  // cannot be read as a file
    EXPECT_FALSE(store.Load());
    EXPECT_NE(store.warning.find("leaves the file as it is"), std::string::npos) << store.warning;
    store.user.SetDWord("K", "v", 1);
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_TRUE(fs::is_directory(store.path));
}

// A pipe named as the configuration file is neither read (which could wait
// for ever), nor moved aside, nor replaced by a plain file.
TEST_F(ConfigStoreTest, PipeInPlaceOfTheFileIsLeftAlone) {
    const std::string path = (dir / "pellmark.reg").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Someone writes text that is not a configuration into the pipe as soon
    // as it is opened for reading.
    std::thread writer([&] {
        const int fd = ::open(path.c_str(), O_WRONLY);
        if (fd < 0) return;
        [[maybe_unused]] const ssize_t n = ::write(fd, "not a configuration", 19);
        ::close(fd);
    });
    ConfigStore store;
    store.path = path;
    EXPECT_FALSE(store.Load());
    EXPECT_NE(store.warning.find("not a plain file"), std::string::npos) << store.warning;
    // Releases the writer when the store never opened the pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    writer.join();
    if (fd >= 0) ::close(fd);
    store.user.SetDWord("K", "v", 1);
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_EQ(Entries().size(), 1u);
}

// /dev/null as the configuration: every start is a first start and the
// device is never moved or replaced.
TEST_F(ConfigStoreTest, DeviceInPlaceOfTheFileIsAnEmptyHiveNeverSaved) {
    fs::create_symlink("/dev/null", dir / "pellmark.reg");
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    EXPECT_TRUE(store.Load());
    EXPECT_TRUE(store.warning.empty()) << store.warning;
    EXPECT_TRUE(store.SaveBlocked());
    store.user.SetDWord("K", "v", 1);
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_TRUE(fs::is_symlink(dir / "pellmark.reg"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(ConfigStoreTest, SavingThroughASymbolicLinkKeepsTheLink) {
    fs::create_directory(dir / "dotfiles");
    Spit(dir / "dotfiles" / "pellmark.reg", kGood);
    fs::create_symlink(dir / "dotfiles" / "pellmark.reg", dir / "pellmark.reg");
    ConfigStore store;
    store.path = (dir / "pellmark.reg").string();
    ASSERT_TRUE(store.Load());
    store.user.SetDWord("K", "v", 1);
    std::string err;
    ASSERT_TRUE(store.SaveIfChanged(&err)) << err;
    EXPECT_TRUE(fs::is_symlink(dir / "pellmark.reg"));
    EXPECT_NE(Slurp(dir / "dotfiles" / "pellmark.reg").find("[HKEY_CURRENT_USER\\K]"), std::string::npos);
}

TEST_F(ConfigStoreTest, ReadOnlyTreeFromAFile) {
    ConfigTree tree;
    std::string err;
    EXPECT_FALSE(ReadRegeditFile((dir / "none.reg").string(), tree, &err));
    EXPECT_NE(err.find("none.reg"), std::string::npos);
    Spit(dir / "bad.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\n");
    EXPECT_FALSE(ReadRegeditFile((dir / "bad.reg").string(), tree, &err));
    EXPECT_NE(err.find("line 4"), std::string::npos) << err;
    Spit(dir / "good.reg", kGood);
    ASSERT_TRUE(ReadRegeditFile((dir / "good.reg").string(), tree, &err)) << err;
    EXPECT_TRUE(tree.ReadOnly());
    EXPECT_FALSE(tree.Dirty());
    EXPECT_EQ(tree.GetValue("Software\\Vorn Soft\\Pellmark\\1.00", "Hyphenate")->number, 1);
    EXPECT_FALSE(tree.SetDWord("K", "v", 1));
}

TEST(ConfigPath, EnvironmentDecidesWhereTheFileIs) {
    const std::string keepHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("PELLMARK_CONFIG", "/x/my.reg", 1);
    EXPECT_EQ(DefaultConfigPath(), "/x/my.reg");
    ::unsetenv("PELLMARK_CONFIG");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(DefaultConfigPath(), "/cfg/pellmark/pellmark.reg");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultConfigPath(), "/home/u/.config/pellmark/pellmark.reg");
    // A relative folder would move with the working folder: it is ignored.
    ::setenv("XDG_CONFIG_HOME", "cfg", 1);
    EXPECT_EQ(DefaultConfigPath(), "/home/u/.config/pellmark/pellmark.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", keepHome.c_str(), 1);
}

}  // namespace
}  // namespace pm
