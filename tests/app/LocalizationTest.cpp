#include <gtest/gtest.h>

#include <string>

#include "common/AtomicFile.h"
#include "config/ConfigTree.h"
#include "config/DefaultTexts.h"
#include "config/Localization.h"

namespace pm {
namespace {

const std::string kInterface = std::string(kRootKey) + "\\interface";

class LocalizationTest : public ::testing::Test {
protected:
    void SetTarget(int build) { tree.SetDWord(kInterface, "target", build); }
    void Put(const std::string& section, const std::string& name, const std::string& text) {
        tree.SetString(kInterface + "\\" + section, name, text);
    }
    LocalizationOutcome Apply() { return ApplyInterfaceTexts(tree, ui, texts); }

    ConfigTree tree;
    InterfaceTexts ui;
    Texts texts;
};

TEST_F(LocalizationTest, BuiltInTablesAreComplete) {
    EXPECT_EQ(std::size(kDefaultMenu), 46u);
    EXPECT_EQ(std::size(kDefaultHints), 53u);
    EXPECT_EQ(std::size(kDefaultControlsMain), 12u);
    EXPECT_EQ(ui.Menu("line to paragr"), "Threat as line->paragraph");
    EXPECT_EQ(ui.Hint("line to paragraph"), "Ine line -> one paragraph");
    EXPECT_EQ(ui.Control("Undo "), "Undo ");
}

TEST_F(LocalizationTest, NoInterfaceKeyIsSilent) {
    const auto out = Apply();
    EXPECT_FALSE(out.present);
    EXPECT_TRUE(out.error.empty());
    EXPECT_FALSE(ui.localized);
}

TEST_F(LocalizationTest, Build568IsRefusedAndNothingApplied) {
    SetTarget(568);
    Put("menu", "file", "&Файл");
    Put("messages", "Error", "Ошибка");
    const auto out = Apply();
    EXPECT_TRUE(out.present);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.error.rfind("Interface localization was created for build [568], and is incompatible with curent "
                              "version. Download latest localization from ", 0), 0u);
    EXPECT_EQ(ui.Menu("file"), "&File");
    EXPECT_EQ(texts.Msg("Error"), "Error");
    EXPECT_EQ(WindowTexts(tree, "large file", ui.localized).Get("title", "Large file"), "Large file");
}

TEST_F(LocalizationTest, MissingOrWronglyTypedTargetIsUnknown) {
    Put("menu", "file", "X");
    EXPECT_NE(Apply().error.find("build [Unknown]"), std::string::npos);
    tree.SetString(kInterface, "target", "");
    EXPECT_NE(Apply().error.find("build [Unknown]"), std::string::npos);
    tree.SetString(kInterface, "target", "600");  // a number stored as text is not a build number
    const auto out = Apply();
    EXPECT_FALSE(out.accepted);
    EXPECT_NE(out.error.find("build [600]"), std::string::npos);
    EXPECT_EQ(ui.Menu("file"), "&File");
}

TEST_F(LocalizationTest, Build569AppliesEverySection) {
    SetTarget(569);
    Put("menu", "file", "&Файл");
    Put("Hints", "load src", "Загрузить");
    Put("Controls\\main", "preview", "Просмотр");
    Put("messages", "Error", "Ошибка");
    Put("processes", "Ready", "Готово");
    Put("descr", "infoSpaces", "Пробелы");
    const auto out = Apply();
    EXPECT_TRUE(out.accepted);
    EXPECT_TRUE(ui.localized);
    EXPECT_EQ(ui.Menu("file"), "&Файл");
    EXPECT_EQ(ui.Menu("exit"), "&Exit");
    EXPECT_EQ(ui.Hint("load src"), "Загрузить");
    EXPECT_EQ(ui.Control("preview"), "Просмотр");
    EXPECT_EQ(texts.Msg("Error"), "Ошибка");
    EXPECT_EQ(texts.Proc("Ready"), "Готово");
    EXPECT_EQ(ui.Descr("infoSpaces", "def"), "Пробелы");
    EXPECT_EQ(ui.Descr("LabelSpaces", "def"), "def");
}

TEST_F(LocalizationTest, ProcessesNeedMessagesSection) {
    SetTarget(1000);
    Put("processes", "Ready", "Готово");
    Apply();
    EXPECT_EQ(texts.Proc("Ready"), "Ready");
}

TEST_F(LocalizationTest, EmptyValueLeavesEnglish) {
    SetTarget(569);
    Put("menu", "file", "");
    Put("messages", "Info", "");
    Put("tree", "23", "");
    Apply();
    EXPECT_EQ(ui.Menu("file"), "&File");
    EXPECT_EQ(texts.Msg("Info"), "Info");
    EXPECT_EQ(ui.tree.longerPrefix, "Strings longer than ");
}

TEST_F(LocalizationTest, TreeRowsAndSuffixLoseTheLeadingDigit) {
    ui.treeRows = {"Configuration", "General", "Author", "Title"};
    SetTarget(569);
    Put("tree", "0", "Настройки");
    Put("tree", "3", "Название");
    Put("tree", "28", "2 и более пустых строк в <br>");
    Apply();
    EXPECT_EQ(ui.treeRows[0], "Настройки");
    EXPECT_EQ(ui.treeRows[1], "General");
    EXPECT_EQ(ui.treeRows[3], "Название");
    EXPECT_EQ(ui.tree.title, "Название");
    EXPECT_EQ(ui.tree.author, "Author");
    EXPECT_EQ(ui.tree.emptyLinesSuffix, " и более пустых строк в <br>");
}

TEST_F(LocalizationTest, DefaultSuffixAndOneCharacterSuffix) {
    SetTarget(569);
    Put("tree", "0", "x");
    Apply();
    EXPECT_EQ(ui.tree.emptyLinesSuffix, " and more empty lines to <br>");
    Put("tree", "28", "2");
    Apply();
    EXPECT_EQ(ui.tree.emptyLinesSuffix, "");
}

TEST_F(LocalizationTest, WindowTextsFallBackPerValue) {
    SetTarget(569);
    Put("Controls\\large file", "title", "Большой файл");
    Put("Controls\\large file", "btn1", "");
    Apply();
    WindowTexts w(tree, "large file", ui.localized);
    EXPECT_EQ(w.Get("title", "Large file"), "Большой файл");
    EXPECT_EQ(w.Get("btn1", "Proceed"), "Proceed");
    EXPECT_EQ(w.Get("never ask", "Never ask me again"), "Never ask me again");
}

TEST_F(LocalizationTest, RegExprListTextsLieUnderTheRoot) {
    EXPECT_EQ(WindowTextsKey("RegExprList"), std::string(kRootKey) + "\\Controls\\RegExprList");
    EXPECT_EQ(WindowTextsKey("docprop"), kInterface + "\\Controls\\docprop");
    tree.SetString(std::string(kRootKey) + "\\Controls\\RegExprList", "Title", "Правила");
    EXPECT_EQ(WindowTexts(tree, "RegExprList", false).Get("Title", "Rules"), "Правила");
}

}  // namespace
}  // namespace pm

#include "config/RegFile.h"

namespace pm {
namespace {

template <size_t N>
bool Known(const std::pair<std::string_view, std::string_view> (&table)[N], const std::string& name) {
    for (const auto& [key, text] : table)
        if (key == name) return true;
    return false;
}

// The localization shipped with the program names only keys the program
// knows, so that none of its texts is silently lost.
TEST(ShippedLocalizationTest, NamesOnlyKnownKeysAndIsAccepted) {
    ConfigTree tree;
    std::string error;
    ASSERT_TRUE(ReadRegeditFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", tree, &error)) << error;
    const std::string base = std::string(kRootKey) + "\\interface\\";
    for (const ConfigValue& v : tree.Values(base + "menu")) EXPECT_TRUE(Known(kDefaultMenu, v.name)) << v.name;
    for (const ConfigValue& v : tree.Values(base + "Hints")) EXPECT_TRUE(Known(kDefaultHints, v.name)) << v.name;
    for (const ConfigValue& v : tree.Values(base + "Controls\\main"))
        EXPECT_TRUE(Known(kDefaultControlsMain, v.name)) << v.name;
    for (const ConfigValue& v : tree.Values(base + "messages")) EXPECT_TRUE(Known(kDefaultMessages, v.name)) << v.name;
    for (const ConfigValue& v : tree.Values(base + "processes"))
        EXPECT_TRUE(Known(kDefaultProcesses, v.name)) << v.name;
    EXPECT_EQ(tree.Values(base + "menu").size(), std::size(kDefaultMenu));
    InterfaceTexts ui;
    Texts texts;
    EXPECT_TRUE(ApplyInterfaceTexts(tree, ui, texts).accepted);
    EXPECT_EQ(ui.Menu("file"), "&\xD4\xE0\xE9\xEB");  // "&Файл" in Windows-1251
    EXPECT_EQ(ui.tree.emptyLinesSuffix.substr(0, 3), " \xE8 ");  // " и "
}

}  // namespace
}  // namespace pm
