// The About window's logic: the names of the skin and the localization, and
// the three removals with their questions and what they leave behind.
#include <gtest/gtest.h>

#include "app/About.h"
#include "common/Version.h"
#include "platform/ScriptedQuestions.h"

namespace pm {
namespace {

const std::string kRoot(kRootKey);
const std::string kInterface = kRoot + "\\interface";
const std::string kHtml = kRoot + "\\html";

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.SetString(kRoot, "Remove all HTML", "x");
        tree.SetDWord(kRoot, "Interface mode", 1);
        tree.SetString(kRoot + "\\Fonts\\Rocket font small", "x", "y");
        tree.SetString(kRoot + "\\Ext\\Btn0", "exefile", "/usr/bin/tool");
    }
    void AddLocalization(const std::string& name) {
        tree.SetDWord(kInterface, "target", 600);
        if (!name.empty()) tree.SetString(kInterface, "name", name);
        tree.SetString(kInterface + "\\menu", "file", "&File");
    }
    void AddSkin(const std::string& name) {
        if (!name.empty()) tree.SetString(kHtml, "name", name);
        tree.SetString(kHtml, "FileExt", ".html");
        tree.SetDWord(kHtml + "\\xml", "Ostrel", 1);
    }
    TAbout Open() { return TAbout(tree, questions, texts, saveAtExit); }

    ConfigTree tree;
    ScriptedQuestions questions;
    Texts texts;
    bool saveAtExit = true;
};

TEST(AboutLabelsTest, VersionAndBuildComeFromTheBuild) {
    EXPECT_EQ(VersionLabelText(), std::string("Pellmark v") + kProgramVersion);
    EXPECT_EQ(BuildLabelText(), std::string("Build ") + kBuildNumber);
    EXPECT_NE(std::string(kProgramVersion), "");
    EXPECT_EQ(MakerMail().rfind("mailto:", 0), 0u);
    EXPECT_EQ(DownloadPage().rfind("https://", 0), 0u);
}

TEST_F(AboutTest, NeitherSkinNorLocalization) {
    const TAbout about = Open();
    EXPECT_EQ(about.localization.text, "Localisation: None");
    EXPECT_EQ(about.localization.colour, LabelColour::Normal);
    EXPECT_EQ(about.skin.text, "HTML skin: None");
    EXPECT_FALSE(about.localizationRemovable);
    EXPECT_FALSE(about.skinRemovable);
    EXPECT_TRUE(about.settingsRemovable);
    EXPECT_EQ(about.settings.text, "Remove settings && skin. Only locale remains.");
}

TEST_F(AboutTest, NamedSkinAndLocalization) {
    AddLocalization("\xD0\xF3\xF1\xF1\xEA\xE8\xE9");  // "Русский"
    AddSkin("Sepia");
    const TAbout about = Open();
    EXPECT_EQ(about.localization.text, "Localisation: \"\xD0\xF3\xF1\xF1\xEA\xE8\xE9\"");
    EXPECT_EQ(about.localization.colour, LabelColour::Green);
    EXPECT_EQ(about.skin.text, "HTML Skin: \"Sepia\"");
    EXPECT_EQ(about.skin.colour, LabelColour::Green);
    EXPECT_TRUE(about.localizationRemovable);
    EXPECT_TRUE(about.skinRemovable);
}

TEST_F(AboutTest, KeysWithoutNames) {
    AddLocalization("");
    AddSkin("");
    const TAbout about = Open();
    EXPECT_EQ(about.localization.text, "Localisation: \"Unknown language\"");
    EXPECT_EQ(about.skin.text, "HTML Skin: \"Unknown html skin\"");
    EXPECT_TRUE(about.localizationRemovable);
}

TEST_F(AboutTest, ANativeLocalizationIsNamedButNotRemovable) {
    AddLocalization("Native Russian");
    TAbout about = Open();
    EXPECT_EQ(about.localization.text, "Localisation: \"Native Russian\"");
    EXPECT_FALSE(about.localizationRemovable);
    // "Native" without the space, or in another case, is an ordinary name.
    tree.SetString(kInterface, "name", "Nativeness");
    EXPECT_TRUE(Open().localizationRemovable);
    tree.SetString(kInterface, "name", "native Russian");
    EXPECT_TRUE(Open().localizationRemovable);
    tree.SetString(kInterface, "name", "The Native one");
    EXPECT_FALSE(Open().localizationRemovable);
}

TEST_F(AboutTest, RemoveLocalizationNoChangesNothing) {
    AddLocalization("Deutsch");
    TAbout about = Open();
    questions.yesNoAnswers = {false};
    about.RemoveLocalization();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].caption, "Confirm");
    EXPECT_EQ(questions.asked[0].text, "Are you shure you want to remove localisation \"Deutsch\"?");
    EXPECT_TRUE(tree.KeyExists(kInterface + "\\menu"));
    EXPECT_TRUE(about.localizationRemovable);
    EXPECT_EQ(about.localization.colour, LabelColour::Green);
}

TEST_F(AboutTest, RemoveLocalizationYes) {
    AddLocalization("Deutsch");
    AddSkin("Sepia");
    TAbout about = Open();
    about.RemoveLocalization();
    EXPECT_FALSE(tree.KeyExists(kInterface));
    EXPECT_TRUE(tree.KeyExists(kHtml));
    EXPECT_TRUE(tree.GetValue(kRoot, "Remove all HTML").has_value());
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].caption, "Restart Pellmark");
    EXPECT_EQ(questions.asked[1].text,
              "Localisation removed succsesfully. Restart Pellmark for changes to take effect");
    EXPECT_EQ(about.localization.text, "Restart Pellmark to see changes");
    EXPECT_EQ(about.localization.colour, LabelColour::Red);
    EXPECT_FALSE(about.localizationRemovable);
    EXPECT_TRUE(saveAtExit);
}

TEST_F(AboutTest, RemoveLocalizationFailureIsReported) {
    AddLocalization("Deutsch");
    TAbout about = Open();
    tree.SetReadOnly(true);
    about.RemoveLocalization();
    EXPECT_TRUE(tree.KeyExists(kInterface));
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1].caption, "Error");
    EXPECT_EQ(questions.asked[1].text, "Error removing localisation! Try editing registry manually.");
    EXPECT_TRUE(about.localizationRemovable);
    EXPECT_EQ(about.localization.colour, LabelColour::Green);
}

TEST_F(AboutTest, RemoveSkinNoChangesNothing) {
    AddSkin("Sepia");
    TAbout about = Open();
    questions.yesNoAnswers = {false};
    about.RemoveSkin();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, "Are you shure you want to remove \"Sepia\" skin?");
    EXPECT_TRUE(tree.KeyExists(kHtml + "\\xml"));
    EXPECT_TRUE(about.skinRemovable);
}

TEST_F(AboutTest, RemoveSkinYesThenNoKeepsTheSettings) {
    AddSkin("Sepia");
    AddLocalization("Deutsch");
    TAbout about = Open();
    questions.yesNoAnswers = {true, false};
    about.RemoveSkin();
    EXPECT_FALSE(tree.KeyExists(kHtml));  // the XML book description with it
    EXPECT_TRUE(tree.KeyExists(kInterface));
    ASSERT_EQ(questions.asked.size(), 3u);
    EXPECT_EQ(questions.asked[1].text, "Skin removed succsesfully. Restart Pellmark for changes to take effect");
    EXPECT_EQ(questions.asked[2].kind, "yesno");
    EXPECT_EQ(questions.asked[2].text.rfind("It is recomended to set all settings to default values after removing "
                                            "a skin. Would you like to do it right now?",
                                            0),
              0u);
    EXPECT_NE(questions.asked[2].text.find("Sepia"), std::string::npos);
    EXPECT_EQ(about.skin.text, "Restart Pellmark to see changes");
    EXPECT_EQ(about.skin.colour, LabelColour::Red);
    EXPECT_FALSE(about.skinRemovable);
    EXPECT_TRUE(tree.GetValue(kRoot, "Interface mode").has_value());
    EXPECT_TRUE(saveAtExit);
    EXPECT_TRUE(about.settingsRemovable);
}

// Yes to the follow-up removes the settings without their own question.
TEST_F(AboutTest, RemoveSkinYesThenYesRemovesTheSettingsWithoutAskingAgain) {
    AddSkin("Sepia");
    TAbout about = Open();
    about.RemoveSkin();
    EXPECT_TRUE(tree.Values(kRoot).empty());
    EXPECT_FALSE(saveAtExit);
    EXPECT_EQ(questions.CountAsked("yesno"), 2u);
    EXPECT_EQ(questions.asked.back().text, "Settings removed succsesfully. Restart Pellmark for changes to take effect");
    EXPECT_FALSE(about.settingsRemovable);
    EXPECT_EQ(about.settings.text, "Restart Pellmark to see changes");
}

// The follow-up comes even when the skin could not be removed.
TEST_F(AboutTest, RemoveSkinFailureStillOffersTheSettings) {
    AddSkin("Sepia");
    TAbout about = Open();
    tree.SetReadOnly(true);
    questions.yesNoAnswers = {true, false};
    about.RemoveSkin();
    ASSERT_EQ(questions.asked.size(), 3u);
    EXPECT_EQ(questions.asked[1].caption, "Error");
    EXPECT_EQ(questions.asked[1].text, "Error removing skin! Try editing registry manually.");
    EXPECT_EQ(questions.asked[2].kind, "yesno");
    EXPECT_TRUE(about.skinRemovable);
}

// Each removal is written at once, before it is told as done; a write
// that fails is told instead of the success.
TEST_F(AboutTest, EveryRemovalIsWrittenBeforeItIsToldAsDone) {
    AddLocalization("Deutsch");
    AddSkin("Sepia");
    TAbout about = Open();
    std::vector<std::string> written;  // what the file was told, by the time of writing
    about.SetConfigWriter([&](std::string*) {
        written.push_back(std::to_string(questions.asked.size()) + (tree.KeyExists(kInterface) ? "i" : "") +
                          (tree.KeyExists(kHtml) ? "h" : "") + (tree.Values(kRoot).empty() ? "" : "v"));
        return true;
    });
    about.RemoveLocalization();  // asked once, then written, then told
    questions.yesNoAnswers = {true, true};
    about.RemoveSkin();  // and the settings after it
    EXPECT_EQ(written, (std::vector<std::string>{"1hv", "3v", "5"}));
    EXPECT_EQ(questions.asked.back().text, "Settings removed succsesfully. Restart Pellmark for changes to take effect");

    AddSkin("Sepia");
    TAbout failing = Open();
    failing.SetConfigWriter([](std::string* error) {
        *error = "No room left.";
        return false;
    });
    questions.asked.clear();
    questions.yesNoAnswers = {true, false};
    failing.RemoveSkin();
    ASSERT_EQ(questions.asked.size(), 3u);
    EXPECT_EQ(questions.asked[1].caption, "Error");
    EXPECT_EQ(questions.asked[1].text, "The settings were not saved. No room left.");
    EXPECT_TRUE(failing.skinRemovable);
}

TEST_F(AboutTest, RemoveAllSettingsNoChangesNothing) {
    TAbout about = Open();
    questions.yesNoAnswers = {false};
    about.RemoveAllSettings();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].text, "Are you shure you want to remove all setting and set them to default values?");
    EXPECT_TRUE(saveAtExit);
    EXPECT_EQ(tree.Values(kRoot).size(), 2u);
    EXPECT_TRUE(about.settingsRemovable);
}

TEST_F(AboutTest, RemoveAllSettingsKeepsTheSubKeys) {
    AddSkin("Sepia");
    AddLocalization("Deutsch");
    TAbout about = Open();
    about.RemoveAllSettings();
    EXPECT_FALSE(saveAtExit);
    EXPECT_TRUE(tree.Values(kRoot).empty());
    for (const char* sub : {"\\html", "\\html\\xml", "\\interface\\menu", "\\Fonts\\Rocket font small", "\\Ext\\Btn0"})
        EXPECT_TRUE(tree.KeyExists(kRoot + sub)) << sub;
    EXPECT_EQ(questions.asked.back().caption, "Restart Pellmark");
    EXPECT_EQ(about.settings.colour, LabelColour::Red);
    EXPECT_FALSE(about.settingsRemovable);
}

TEST_F(AboutTest, RemoveAllSettingsWithoutARoot) {
    ConfigTree empty;
    TAbout about(empty, questions, texts, saveAtExit);
    about.RemoveAllSettings();
    // Nothing is written back at exit all the same; nothing more happens.
    EXPECT_FALSE(saveAtExit);
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_TRUE(about.settingsRemovable);
    EXPECT_FALSE(empty.KeyExists(kRootKey));
}

TEST_F(AboutTest, RemoveAllSettingsFailureIsReported) {
    TAbout about = Open();
    tree.SetReadOnly(true);
    about.RemoveAllSettings();
    EXPECT_EQ(questions.asked.back().caption, "Error");
    EXPECT_TRUE(about.settingsRemovable);
    EXPECT_EQ(about.settings.colour, LabelColour::Normal);
}

TEST_F(AboutTest, LocalizedCaptions) {
    texts.SetMsg("Confirm", "\xCF\xEE\xE4\xF2\xE2\xE5\xF0\xE4\xE8\xF2\xE5");
    TAbout about = Open();
    questions.yesNoAnswers = {false};
    about.RemoveAllSettings();
    EXPECT_EQ(questions.asked[0].caption, "\xCF\xEE\xE4\xF2\xE2\xE5\xF0\xE4\xE8\xF2\xE5");
}

}  // namespace
}  // namespace pm

#include "app/CommandLine.h"

namespace pm {
namespace {

// "--version" alone asks for the version; with more words it is a path.
TEST(CommandLineVersionTest, VersionSwitchAlone) {
    EXPECT_EQ(ParseCommandLine({"--version"}).kind, StartCommand::Kind::Version);
    EXPECT_EQ(ParseCommandLine({"--version", "x"}).kind, StartCommand::Kind::Edit);
    EXPECT_EQ(ParseCommandLine({"--VERSION"}).kind, StartCommand::Kind::Edit);
}

}  // namespace
}  // namespace pm
