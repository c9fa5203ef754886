// The external tool buttons: which exist, and what their programs get.
#include <gtest/gtest.h>

#include "ShellSupport.h"
#include "shell/Launch.h"
#include "shell/ToolButtons.h"

namespace pm::shell {
namespace {

using Words = std::vector<std::string>;

std::string Key(int n) { return std::string(kRootKey) + "\\Ext\\Btn" + std::to_string(n); }

std::vector<int> Numbers(const std::vector<ToolButton>& tools) {
    std::vector<int> out;
    for (const ToolButton& t : tools) out.push_back(t.number);
    return out;
}

TEST(LoadToolButtonsTest, NoneWithoutTheFirstTool) {
    ConfigTree tree;
    tree.SetString(Key(3), "exefile", "/usr/bin/tool");
    EXPECT_TRUE(LoadToolButtons(tree).empty());
    tree.CreateKey(Key(0));
    EXPECT_EQ(Numbers(LoadToolButtons(tree)), (std::vector<int>{0, 3}));
}

TEST(LoadToolButtonsTest, NumbersZeroToNineInOrder) {
    ConfigTree tree;
    for (int n : {10, 9, 5, 0}) tree.CreateKey(Key(n));
    EXPECT_EQ(Numbers(LoadToolButtons(tree)), (std::vector<int>{0, 5, 9}));
}

TEST(LoadToolButtonsTest, Values) {
    ConfigTree tree;
    tree.SetString(Key(0), "IconFile", "/usr/share/icons/\xEA\xED\xE8\xE3\xE0.png");
    tree.SetDWord(Key(0), "IconNumber", 2);
    tree.SetString(Key(0), "Hint", "\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0");
    tree.SetString(Key(0), "CmdLine", "-x %fullfilename%");
    tree.SetString(Key(0), "exefile", "/opt/\xF2\xEE\xEE\xEB");
    tree.CreateKey(Key(1));
    tree.SetString(Key(1), "IconNumber", "not a number");
    const std::vector<ToolButton> tools = LoadToolButtons(tree);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0].iconFile, "/usr/share/icons/\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0.png");  // file names in UTF-8
    EXPECT_EQ(tools[0].iconNumber, 2);
    EXPECT_EQ(tools[0].hint, "\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0");  // texts stay Windows-1251
    EXPECT_EQ(tools[0].cmdLine, "-x %fullfilename%");
    EXPECT_EQ(tools[0].exeFile, "/opt/\xD1\x82\xD0\xBE\xD0\xBE\xD0\xBB");
    EXPECT_EQ(tools[1].iconFile, "");
    EXPECT_EQ(tools[1].iconNumber, 0);
    EXPECT_EQ(tools[1].exeFile, "");
}

class ToolArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.title = "War and Peace";
        doc.shortTitle = "WnP";
        doc.author = "\xD2\xEE\xEB\xF1\xF2\xEE\xE9";  // "Толстой"
    }
    DocValues doc;
    const std::string preview = "/home/u/My Books/$~$~tmp_war.txt.html";
};

TEST_F(ToolArgumentsTest, FullFileNameThenASwitch) {
    EXPECT_EQ(ToolArguments("%fullfilename% /switch", doc, preview), (Words{preview, "/switch"}));
    EXPECT_EQ(ToolArguments("\"%fullfilename%\" -x", doc, preview), (Words{preview, "-x"}));
    EXPECT_EQ(ToolArguments("%shortfilename%", doc, preview), Words{"$~$~tmp_war.txt.html"});
}

TEST_F(ToolArgumentsTest, ShortTitleTwice) {
    EXPECT_EQ(ToolArguments("%shortitle% %shortitle%", doc, preview), (Words{"WnP", "WnP"}));
    EXPECT_EQ(ToolArguments("%shortitle%-%shortitle%", doc, preview), Words{"WnP-WnP"});
}

TEST_F(ToolArgumentsTest, ValuesAreNeverSplitOrExpandedAgain) {
    EXPECT_EQ(ToolArguments("--title %longtitle% --by=%bookauthor%", doc, preview),
              (Words{"--title", "War and Peace", "--by=\xD0\xA2\xD0\xBE\xD0\xBB\xD1\x81\xD1\x82\xD0\xBE\xD0\xB9"}));
    doc.title = "%longtitle% and %shortitle%";
    EXPECT_EQ(ToolArguments("%longtitle%", doc, preview), Words{"%longtitle% and %shortitle%"});
    doc.title = "Book\"; rm -rf ~ '$(id)";
    EXPECT_EQ(ToolArguments("'%longtitle%' \"%longtitle%\" %longtitle%", doc, preview),
              (Words{doc.title, doc.title, doc.title}));
    // An unknown macro and a lone percent sign stay as written.
    EXPECT_EQ(ToolArguments("%title% 100%", doc, preview), (Words{"%title%", "100%"}));
}

TEST_F(ToolArgumentsTest, ToolCommandNamesTheProgramAsWritten) {
    ToolButton tool;
    tool.exeFile = "/opt/My Tools/view book";  // never split
    tool.cmdLine = "%shortitle%";
    const ToolLaunch launch = ToolCommand(tool, doc, preview);
    EXPECT_EQ(launch.program, "/opt/My Tools/view book");
    EXPECT_EQ(launch.args, Words{"WnP"});
}

// The title reaches the tool as one argument, and nothing in it runs.
TEST_F(ToolArgumentsTest, AHostileTitleIsPassedAsPlainArguments) {
    pm::test::TempFolder dir;
    const std::string record = dir / "args";
    const std::string marker = dir / "pwned";
    ToolButton tool;
    tool.exeFile = pm::test::ArgumentRecorder(dir, record);
    tool.cmdLine = "%longtitle% %shortitle%";
    doc.title = "Tale; rm -rf ~; touch " + marker;
    doc.shortTitle = "$(touch " + marker + ")";
    const ToolLaunch launch = ToolCommand(tool, doc, preview);
    std::string error;
    ASSERT_TRUE(StartDetached(launch.program, launch.args, &error)) << error;
    EXPECT_EQ(pm::test::RecordedArguments(record), (Words{doc.title, doc.shortTitle}));
    EXPECT_FALSE(std::filesystem::exists(marker));
}

}  // namespace
}  // namespace pm::shell
