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

// A configuration store over a file of its own; each case writes the old
// configuration, changes something and saves under its own fault.
class ConfigFaults : public ::testing::Test {
protected:
    FaultDir dir;
    ConfigStore store;
    std::string old;  // the file before the case changed anything

    // Writes the old configuration at path and loads it into store.
    bool LoadOld(const std::string& path) {
        old = OldConfiguration(path);
        store.path = path;
        return store.Load();
    }
    Outcome Save() {
        Outcome out;
        out.ok = store.SaveIfChanged(&out.message);
        return out;
    }
    // The save failed with message and the file is the old one.
    void ExpectOldFileKept(const Outcome& out, const std::string& message) {
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message, message);
        EXPECT_EQ(Slurp(store.path), old);
    }
};

TEST_F(ConfigFaults, RulesAndSettingsOnAFullDiskKeepTheOldFile) {
    const std::string path = dir / "pellmark.reg";
    ASSERT_TRUE(LoadOld(path));
    RegexRuleLists rules;
    rules.Load(store.user);
    rules.Add({"new rule", std::string(3000, 'x'), "y"});
    rules.Save(store.user);
    ExpectOldFileKept(WithFileSizeLimit(old.size() + 10, [&] { return Save(); }),
                      "Cannot write \"" + path + "\": File too large.");
    EXPECT_EQ(RuleNames(path), (std::vector<std::string>{"old rule"}));
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"pellmark.reg"}));
    // The changes wait for a save that has room.
    const Outcome later = Save();
    EXPECT_TRUE(later.ok) << later.message;
    EXPECT_EQ(RuleNames(path), (std::vector<std::string>{"old rule", "new rule"}));
}

TEST_F(ConfigFaults, RealNoSpaceLeft) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here; the file size limit stands in";
    ASSERT_TRUE(LoadOld(disk / "pellmark.reg"));
    store.user.SetString(kRoot, "Big", std::string(8192, 'b'));
    disk.Fill();
    ExpectOldFileKept(Save(), "Cannot write \"" + store.path + "\": No space left on device.");
    EXPECT_TRUE(TemporaryFilesIn(disk.path()).empty());
}

TEST_F(ConfigFaults, ReadOnlyFileSystem) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    ASSERT_TRUE(LoadOld(disk / "pellmark.reg"));
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    ASSERT_TRUE(disk.MakeReadOnly());
    ExpectOldFileKept(Save(), "Cannot create \"" + store.path + "\": Read-only file system.");
}

// The configuration's folder belongs to the program: removed while it runs,
// it is made again at exit and nothing is lost.
TEST_F(ConfigFaults, FolderRemovedWhileRunningIsMadeAgain) {
    fs::create_directory(dir / "pellmark");
    ASSERT_TRUE(LoadOld(dir / "pellmark/pellmark.reg"));
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    fs::remove_all(dir / "pellmark");
    const Outcome out = Save();
    EXPECT_TRUE(out.ok) << out.message;
    EXPECT_EQ(RuleNames(store.path), (std::vector<std::string>{"old rule"}));
    EXPECT_EQ(NamesIn(dir / "pellmark"), (std::vector<std::string>{"pellmark.reg"}));
}

TEST_F(ConfigFaults, FolderThatIsAFileIsNamed) {
    store.path = BelowAFile(dir.path(), "pellmark.reg");
    ASSERT_TRUE(store.Load());
    store.user.SetDWord(kRoot, "Hyphenate", 0);
    const Outcome out = Save();
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message.rfind("Cannot create the folder \"" + (dir / "not-a-folder") + "\": ", 0), 0u) << out.message;
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
    // The pair written anew, for the program at /new/pellmark.
    Outcome NewEntries() {
        Outcome out;
        out.ok = shell::SetShellIntegration(true, folder, "/new/pellmark", captions, &out.message);
        return out;
    }
};

// The "Parse" entry no longer fits; the "Read" entry, written first, is not
// put in place either, so the pair stays the old pair.
TEST_F(EntryFaults, FullDiskKeepsTheOldPair) {
    OldEntries();
    const std::vector<std::string> old = Entries();
    captions.parse = std::string(2000, 'P');
    const size_t readSize = shell::DesktopEntryText(true, "/new/pellmark", captions.read).size();
    const Outcome out = WithFileSizeLimit(readSize + 10, [&] { return NewEntries(); });
    EXPECT_FALSE(out.ok);
    const std::string parseEntry = shell::ShellEntryPaths(folder).front();
    EXPECT_EQ(out.message, "Cannot write \"" + parseEntry + "\": File too large");
    EXPECT_EQ(Entries(), old);
    EXPECT_TRUE(TemporaryFilesIn(folder).empty());
}

TEST_F(EntryFaults, FolderRemovedIsMadeAgain) {
    OldEntries();
    fs::remove_all(folder);
    const Outcome out = NewEntries();
    EXPECT_TRUE(out.ok) << out.message;
    EXPECT_TRUE(shell::ShellIntegrated(folder));
}

TEST_F(EntryFaults, FolderThatIsAFileIsNamed) {
    folder = BelowAFile(dir.path(), "applications");
    const Outcome out = NewEntries();
    EXPECT_FALSE(out.ok);
    // The "Read" entry is written first, so it is the one named.
    EXPECT_EQ(out.message, "Cannot create \"" + shell::ShellEntryPaths(folder).back() + "\": Not a directory");
    EXPECT_FALSE(shell::ShellIntegrated(folder));
}

}  // namespace
}  // namespace pm::test
