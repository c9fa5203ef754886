// The desktop entries of "Read with Pellmark" and "Parse with Pellmark".
#include <gtest/gtest.h>

#include <cstdlib>

#include "ShellSupport.h"
#include "app/Uninstall.h"
#include "config/Localization.h"
#include "config/RegFile.h"
#include "platform/ScriptedQuestions.h"
#include "shell/DesktopEntries.h"
#include "shell/Launch.h"

namespace pm::shell {
namespace {

using pm::test::Slurp;
using pm::test::TempFolder;

// desktop-file-validate's verdict: "" when the entry is valid.
std::string Validate(const std::string& entry) {
    const std::string out = entry + ".validate";
    const std::string cmd = "desktop-file-validate '" + entry + "' > '" + out + "' 2>&1";
    const int rc = std::system(cmd.c_str());
    const std::string text = Slurp(out);
    std::filesystem::remove(out);
    return rc == 0 ? std::string() : text.empty() ? std::string("failed") : text;
}

std::string Line(const std::string& text, const std::string& key) {
    const size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const size_t start = at + key.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

// The Russian captions of the shipped localization, in Windows-1251.
ShellCaptions RussianCaptions() {
    ConfigTree tree;
    std::string error;
    EXPECT_TRUE(ReadRegeditFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", tree, &error)) << error;
    InterfaceTexts ui;
    Texts texts;
    ApplyInterfaceTexts(tree, ui, texts);
    return CaptionsOf(ui);
}

class DesktopEntriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(FindProgram("desktop-file-validate").empty())
            << "desktop-file-validate is missing (Debian package desktop-file-utils, scripts/install-deps.sh)";
        folder = dir / "applications";
        parse = folder + "/pellmark-parse.desktop";
        read = folder + "/pellmark-read.desktop";
    }
    TempFolder dir;
    std::string folder, parse, read;
};

TEST(ExecArgumentTest, QuotingAndEscaping) {
    EXPECT_EQ(ExecArgument("/usr/bin/pellmark"), "\"/usr/bin/pellmark\"");
    EXPECT_EQ(ExecArgument("/opt/My Books/pellmark"), "\"/opt/My Books/pellmark\"");
    // Inside quotes '"', '`', '$' and '\' get a backslash; then every
    // backslash is doubled as the file's string escaping asks.
    EXPECT_EQ(ExecArgument("a\"b"), "\"a\\\\\"b\"");
    EXPECT_EQ(ExecArgument("$x`y"), "\"\\\\$x\\\\`y\"");
    EXPECT_EQ(ExecArgument("a\\b"), "\"a\\\\\\\\b\"");
    EXPECT_EQ(ExecArgument("100%"), "\"100%%\"");
    EXPECT_EQ(ExecArgument("a\nb"), "\"a\\nb\"");
}

TEST_F(DesktopEntriesTest, IntegrationWritesValidEntriesWithThePathAndRussianCaptions) {
    EXPECT_FALSE(ShellIntegrated(folder));
    const std::string program = "/opt/Pellmark 1.0/bin/pellmark";
    std::string error;
    ASSERT_TRUE(SetShellIntegration(true, folder, program, RussianCaptions(), &error)) << error;
    EXPECT_TRUE(ShellIntegrated(folder));
    const std::string readText = Slurp(read), parseText = Slurp(parse);
    EXPECT_EQ(Line(readText, "Name"), "\xD0\xA7\xD0\xB8\xD1\x82\xD0\xB0\xD1\x82\xD1\x8C \xD0\xB2 Pellmark");  // "Читать в Pellmark"
    EXPECT_EQ(Line(parseText, "Name"),
              "\xD0\xA0\xD0\xB0\xD0\xB7\xD0\xBE\xD0\xB1\xD1\x80\xD0\xB0\xD1\x82\xD1\x8C \xD0\xB2 Pellmark");  // "Разобрать в Pellmark"
    EXPECT_EQ(Line(readText, "Exec"), "\"/opt/Pellmark 1.0/bin/pellmark\" -r %f");
    EXPECT_EQ(Line(parseText, "Exec"), "\"/opt/Pellmark 1.0/bin/pellmark\" %f");
    EXPECT_NE(Line(readText, "MimeType").find("text/html;"), std::string::npos);
    EXPECT_EQ(Line(readText, "MimeType").find("text/plain"), std::string::npos);
    EXPECT_NE(Line(parseText, "MimeType").find("text/plain;"), std::string::npos);
    EXPECT_NE(Line(parseText, "MimeType").find("text/html;"), std::string::npos);
    EXPECT_EQ(Validate(read), "");
    EXPECT_EQ(Validate(parse), "");
}

TEST_F(DesktopEntriesTest, AwkwardProgramPathsStillValidate) {
    for (const std::string program : {"/tmp/a \"quoted\" $dir/`x`/100%/back\\slash/pellmark", "/tmp/tab\there/pm"}) {
        std::string error;
        ASSERT_TRUE(SetShellIntegration(true, folder, program, ShellCaptions{}, &error)) << error;
        EXPECT_EQ(Validate(read), "") << program;
        EXPECT_EQ(Validate(parse), "") << program;
    }
}

TEST_F(DesktopEntriesTest, RewritingFollowsANewPathAndTurningOffRemovesBoth) {
    ASSERT_TRUE(SetShellIntegration(true, folder, "/old/pellmark", ShellCaptions{}));
    ASSERT_TRUE(SetShellIntegration(true, folder, "/new/pellmark", ShellCaptions{}));
    EXPECT_EQ(Line(Slurp(parse), "Exec"), "\"/new/pellmark\" %f");
    EXPECT_EQ(Line(Slurp(read), "Name"), "Read with Pellmark");
    ASSERT_TRUE(SetShellIntegration(false, folder, "/new/pellmark", ShellCaptions{}));
    EXPECT_FALSE(ShellIntegrated(folder));
    EXPECT_FALSE(std::filesystem::exists(read));
    EXPECT_FALSE(std::filesystem::exists(parse));
    // Off when already off is no failure.
    EXPECT_TRUE(SetShellIntegration(false, folder, "/new/pellmark", ShellCaptions{}));
    // Nothing is left behind by the writes.
    for (const auto& f : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(f.path().filename().string().find(".pmtmp"), std::string::npos) << f.path();
}

TEST_F(DesktopEntriesTest, AFailedWriteIsReportedAndLeavesTheIntegrationOff) {
    // The "Read" entry cannot be written (a folder has its name): the
    // "Parse" entry after it is not written either.
    std::filesystem::create_directories(read);
    std::string error;
    EXPECT_FALSE(SetShellIntegration(true, folder, "/usr/bin/pellmark", ShellCaptions{}, &error));
    EXPECT_NE(error.find("pellmark-read.desktop"), std::string::npos) << error;
    EXPECT_FALSE(ShellIntegrated(folder));
    // No place for the folder at all.
    pm::test::Spit(dir / "file", "x");
    error.clear();
    EXPECT_FALSE(SetShellIntegration(true, dir / "file", "/usr/bin/pellmark", ShellCaptions{}, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(DesktopEntriesTest, TheApplicationsFolderFollowsXdgDataHome) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldXdg ? oldXdg : "";
    setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(ApplicationsFolder(), folder);
    ASSERT_TRUE(SetShellIntegration(true, "/usr/bin/pellmark", ShellCaptions{}));
    EXPECT_TRUE(ShellIntegrated());
    // A relative XDG_DATA_HOME is not to be used: the home folder's is.
    setenv("XDG_DATA_HOME", "relative/data", 1);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(ApplicationsFolder(), home && *home ? std::string(home) + "/.local/share/applications" : "");
    setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);

    // "/UNINSTALLMUTE" takes the entries away with the configuration.
    ConfigTree tree;
    tree.SetString(kRootKey, "x", "y");
    ScriptedQuestions quiet;
    EXPECT_EQ(DesktopEntryPaths(), (std::vector<std::string>{parse, read}));
    EXPECT_TRUE(RunUninstall(tree, quiet, false, DesktopEntryPaths()));
    EXPECT_FALSE(ShellIntegrated());
    EXPECT_FALSE(std::filesystem::exists(read));
    if (oldXdg) setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace pm::shell
