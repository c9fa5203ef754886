#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/CommandLine.h"
#include "app/Uninstall.h"
#include "platform/ScriptedQuestions.h"

namespace pm {
namespace {

using Kind = StartCommand::Kind;

TEST(CommandLineTest, Forms) {
    EXPECT_EQ(ParseCommandLine({}).kind, Kind::Normal);
    EXPECT_EQ(ParseCommandLine({"/uninstall"}).kind, Kind::Uninstall);
    EXPECT_EQ(ParseCommandLine({"/UNINSTALLMUTE"}).kind, Kind::UninstallMute);
    const auto read = ParseCommandLine({"-r", "/tmp/book.html"});
    EXPECT_EQ(read.kind, Kind::Read);
    EXPECT_EQ(read.path, "/tmp/book.html");
    const auto edit = ParseCommandLine({"book.txt"});
    EXPECT_EQ(edit.kind, Kind::Edit);
    EXPECT_EQ(edit.path, "book.txt");
}

TEST(CommandLineTest, UpperCaseReadSwitchAloneGivesEmptyPath) {
    const auto cmd = ParseCommandLine({"-R"});
    EXPECT_EQ(cmd.kind, Kind::Read);
    EXPECT_EQ(cmd.path, "");
    EXPECT_EQ(IncorrectFileNameMessage(cmd.path), "Incorrect filename in parameters:\n\"\":\nFile does not exists");
}

TEST(CommandLineTest, SplitPathIsJoinedWithOneSpace) {
    EXPECT_EQ(ParseCommandLine({"/home/me/My", "Books/war and", "peace.txt"}).path,
              "/home/me/My Books/war and peace.txt");
    EXPECT_EQ(ParseCommandLine({"-r", "/home/me/My", "Books/a.html"}).path, "/home/me/My Books/a.html");
    // Only the first argument is a switch; a later "/UNINSTALL" is a path word.
    EXPECT_EQ(ParseCommandLine({"a", "/UNINSTALL"}).path, "a /UNINSTALL");
}

class UninstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.SetString(kRootKey, "Remove all HTML", "1");
        tree.SetString(std::string(kRootKey) + "\\html", "FileExt", ".html");
        tree.SetString(kUninstallEntryKey, "DisplayName", "Pellmark v1.00 (remove only)");
        dir = std::filesystem::temp_directory_path() / ("pm-uninstall-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        entry = (dir / "pellmark-read.desktop").string();
        std::ofstream(entry) << "[Desktop Entry]\n";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    ConfigTree tree;
    ScriptedQuestions q;
    std::filesystem::path dir;
    std::string entry;
};

TEST_F(UninstallTest, DeclinedChangesNothing) {
    q.yesNo = false;
    EXPECT_FALSE(RunUninstall(tree, q, true, {entry}));
    EXPECT_TRUE(tree.KeyExists(kRootKey));
    EXPECT_TRUE(std::filesystem::exists(entry));
    ASSERT_EQ(q.asked.size(), 1u);
    EXPECT_EQ(q.asked[0].caption, "Reinstall");
}

TEST_F(UninstallTest, RemovesDataEmptyParentsAndEntries) {
    EXPECT_TRUE(RunUninstall(tree, q, true, {entry, (dir / "missing.desktop").string()}));
    EXPECT_FALSE(tree.KeyExists(kRootKey));
    EXPECT_FALSE(tree.KeyExists("Software\\Vorn Soft"));
    EXPECT_FALSE(tree.KeyExists(kUninstallEntryKey));
    EXPECT_FALSE(std::filesystem::exists(entry));
    ASSERT_EQ(q.asked.size(), 2u);
    EXPECT_EQ(q.asked[1].caption, "Uninstall");
    EXPECT_EQ(q.asked[1].text, "No data is stored for program now. Remove executable manually.");
}

TEST_F(UninstallTest, KeepsParentsThatHoldOtherData) {
    tree.SetString("Software\\Vorn Soft\\Other", "x", "y");
    EXPECT_TRUE(RunUninstall(tree, q, false, {}));
    EXPECT_TRUE(q.asked.empty());  // the mute form neither asks nor tells
    EXPECT_FALSE(tree.KeyExists("Software\\Vorn Soft\\Pellmark"));
    EXPECT_TRUE(tree.KeyExists("Software\\Vorn Soft\\Other"));
}

}  // namespace
}  // namespace pm

#include "app/BrowserCheck.h"

namespace pm {
namespace {

TEST(BrowserCheckTest, OldEngineWarnsOncePerUser) {
    ConfigTree tree;
    ScriptedQuestions q;
    EXPECT_TRUE(OldBrowserCheck(tree, "3.02", q));
    EXPECT_TRUE(tree.GetValue(kRootKey, "WarningShown").has_value());
    EXPECT_FALSE(OldBrowserCheck(tree, "3.02", q));
    ASSERT_EQ(q.asked.size(), 1u);
    EXPECT_EQ(q.asked[0].caption, "Error !!!");
}

TEST(BrowserCheckTest, CurrentEnginesAndOddVersionsPass) {
    ConfigTree tree;
    ScriptedQuestions q;
    EXPECT_FALSE(OldBrowserCheck(tree, "102.0.5005.177", q));  // "1" of 102 is not version 1
    EXPECT_FALSE(OldBrowserCheck(tree, "5.5", q));
    EXPECT_FALSE(OldBrowserCheck(tree, "beta", q));
    EXPECT_TRUE(q.asked.empty());
    EXPECT_FALSE(tree.KeyExists(kRootKey));
    EXPECT_TRUE(OldBrowserCheck(tree, "", q));  // no version at all reads as "0"
}

}  // namespace
}  // namespace pm
