// The configuration file (settings and the user's rule lists live in it)
// and the desktop entries of the shell integration, under injected
// failures: the old files stay, no temporary file stays, and the error
// names the file and the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/ConfigStore.h"
#include "regexlists/RegExprList.h"
#include "shell/DesktopEntries.h"
#include "support/Faults.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

const char kRoot[] = "Software\\Vorn Soft\\Pellmark\\1.00";

// A configuration file holding one rule, "old rule".
std::string OldConfiguration(const std::string& path) {
    ConfigStore store;
    store.path = path;
    store.Load();
    RegexRuleLists rules;
    rules.Add({"old rule", "a", "b"});
    rules.Save(store.user);
    store.user.SetDWord(kRoot, "Hyphenate", 1);
    std::string err;
    EXPECT_TRUE(store.SaveIfChanged(&err)) << err;
    return Slurp(path);
}

std::vector<std::string> RuleNames(const std::string& path) {
    ConfigStore store;
    store.path = path;
    store.Load();
    RegexRuleLists rules;
    rules.Load(store.user);
    std::vector<std::string> names;
    for (const RegexRule& r : rules.Rules()) names.push_back(r.name);
    return names;
}

TEST(ConfigFaults, RulesAndSettingsOnAFullDiskKeepTheOldFile) {
    FaultDir dir;
    const std::string path = dir / "pellmark.reg";
    const std::string old = OldConfiguration(path);
    ConfigStore store;
    store.path = path;
    ASSERT_TRUE(store.Load());
    RegexRuleLists rules;
    rules.Load(store.user);
    rules.Add({"new rule", std::string(3000, 'x'), "y"});
    rules.Save(store.user);
    const Outcome out = WithFileSizeLimit(old.size() + 10, [&] {
        Outcome o;
        o.ok = store.SaveIfChanged(&o.message);
        return o;
    });
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Cannot write \"" + path + "\": File too large.");
    EXPECT_EQ(Slurp(path), old);
    EXPECT_EQ(RuleNames(path), (std::vector<std::string>{"old rule"}));
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"pellmark.reg"}));
    // The changes wait for a save that has room.
    std::string err;
    EXPECT_TRUE(store.SaveIfChanged(&err)) << err;
    EXPECT_EQ(RuleNames(path), (std::vector<std::string>{"old rule", "new rule"}));
}

TEST(ConfigFaults, RealNoSpaceLeft) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here; the file size limit stands in";
    const std::string path = disk / "pellmark.reg";
    const std::string old = OldConfiguration(path);
    ConfigStore store;
    store.path = path;
    ASSERT_TRUE(store.Load());
    store.user.SetString(kRoot, "Big", std::string(8192, 'b'));
    disk.Fill();
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_EQ(err, "Cannot write \"" + path + "\": No space left on device.");
    EXPECT_EQ(Slurp(path), old);
    EXPECT_TRUE(TemporaryFilesIn(disk.path()).empty());
}

TEST(ConfigFaults, ReadOnlyFileSystem) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = disk / "pellmark.reg";
    const std::string old = OldConfiguration(path);
    ConfigStore store;
    store.path = path;
    ASSERT_TRUE(store.Load());
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    ASSERT_TRUE(disk.MakeReadOnly());
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_EQ(err, "Cannot create \"" + path + "\": Read-only file system.");
    EXPECT_EQ(Slurp(path), old);
}

// The configuration's folder belongs to the program: removed while it runs,
// it is made again at exit and nothing is lost.
TEST(ConfigFaults, FolderRemovedWhileRunningIsMadeAgain) {
    FaultDir dir;
    const std::string path = dir / "pellmark/pellmark.reg";
    fs::create_directory(dir / "pellmark");
    OldConfiguration(path);
    ConfigStore store;
    store.path = path;
    ASSERT_TRUE(store.Load());
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    fs::remove_all(dir / "pellmark");
    std::string err;
    EXPECT_TRUE(store.SaveIfChanged(&err)) << err;
    EXPECT_EQ(RuleNames(path), (std::vector<std::string>{"old rule"}));
    EXPECT_EQ(NamesIn(dir / "pellmark"), (std::vector<std::string>{"pellmark.reg"}));
}

TEST(ConfigFaults, FolderThatIsAFileIsNamed) {
    FaultDir dir;
    ConfigStore store;
    store.path = BelowAFile(dir.path(), "pellmark.reg");
    ASSERT_TRUE(store.Load());
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    std::string err;
    EXPECT_FALSE(store.SaveIfChanged(&err));
    EXPECT_EQ(err.rfind("Cannot create the folder \"" + (dir / "not-a-folder") + "\": ", 0), 0u) << err;
    EXPECT_TRUE(store.user.Dirty());
}

// ---- desktop entries

class EntryFaults : public ::testing::Test {
protected:
    FaultDir dir;
    std::string folder = dir / "applications";
    shell::ShellCaptions captions;
    std::vector<std::string> Entries() const {
        std::vector<std::string> texts;
        for (const std::string& e : shell::ShellEntryPaths(folder)) texts.push_back(Slurp(e));
        return texts;
    }
    void OldEntries() {
        std::string error;
        ASSERT_TRUE(shell::SetShellIntegration(true, folder, "/old/pellmark", captions, &error)) << error;
    }
};

// The "Parse" entry no longer fits; the "Read" entry, written first, is not
// put in place either, so the pair stays the old pair.
TEST_F(EntryFaults, FullDiskKeepsTheOldPair) {
    OldEntries();
    const std::vector<std::string> old = Entries();
    captions.parse = std::string(2000, 'P');
    const size_t readSize = shell::DesktopEntryText(true, "/new/pellmark", captions.read).size();
    const Outcome out = WithFileSizeLimit(readSize + 10, [&] {
        Outcome o;
        o.ok = shell::SetShellIntegration(true, folder, "/new/pellmark", captions, &o.message);
        return o;
    });
    EXPECT_FALSE(out.ok);
    const std::string parseEntry = shell::ShellEntryPaths(folder).front();
    EXPECT_EQ(out.message, "Cannot write \"" + parseEntry + "\": File too large");
    EXPECT_EQ(Entries(), old);
    EXPECT_TRUE(TemporaryFilesIn(folder).empty());
}

TEST_F(EntryFaults, FolderRemovedIsMadeAgain) {
    OldEntries();
    fs::remove_all(folder);
    std::string error;
    EXPECT_TRUE(shell::SetShellIntegration(true, folder, "/new/pellmark", captions, &error)) << error;
    EXPECT_TRUE(shell::ShellIntegrated(folder));
}

TEST_F(EntryFaults, FolderThatIsAFileIsNamed) {
    folder = BelowAFile(dir.path(), "applications");
    std::string error;
    EXPECT_FALSE(shell::SetShellIntegration(true, folder, "/new/pellmark", captions, &error));
    EXPECT_EQ(error, "Cannot create \"" + shell::ShellEntryPaths(folder).back() + "\": Not a directory");  // "Read" comes first
    EXPECT_FALSE(shell::ShellIntegrated(folder));
}

}  // namespace
}  // namespace pm::test
