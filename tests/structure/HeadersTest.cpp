#include <gtest/gtest.h>

#include "config/RegFile.h"
#include "config/SettingsIO.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

class HeadersTest : public ::testing::Test {
protected:
    test::TestContext t;

    // Plain lines, all unmarked.
    void Set(const Lines& lines) {
        t.ctx.lines.Clear();
        for (const auto& s : lines) t.ctx.lines.Append(s);
    }
    Lines Detect(const Lines& lines) {
        Set(lines);
        StageDetectHeaders(t.ctx);
        return t.LineTexts();
    }
};

TEST_F(HeadersTest, ShortListsAreNeverExamined) {
    const Lines five = {"", "", "CHAPTER ONE", "", "text"};
    EXPECT_EQ(Detect(five), five);
}

TEST_F(HeadersTest, LoneLineKeepsExactlyOneBlankLineAfterIt) {
    const Lines out = Detect({"", "", "CHAPTER ONE", "", "", "", "Text starts here.", "more", "more", "end"});
    const Lines want = {"<h1 align=\"center\">CHAPTER ONE</h1>", "", "Text starts here.", "more", "more", "end"};
    EXPECT_EQ(out, want);
    EXPECT_EQ(t.ctx.lines.Mark(0), kMarkBlock);
    EXPECT_EQ(t.ctx.lines.Mark(1), kMarkText);

    // Finished entries are never made headers.
    t.SetLines({{"", 0}, {"", 0}, {"<p>done</p>", 100}, {"", 0}, {"a", 0}, {"b", 0}, {"c", 0}});
    StageDetectHeaders(t.ctx);
    EXPECT_EQ(t.LineTexts()[2], "<p>done</p>");
}



TEST_F(HeadersTest, LoneLineTakesEveryBlankLineAboveIt) {
    const Lines out = Detect({"x", "", "  ", "", "", "TITLE", "", "Text", "a", "b"});
    EXPECT_EQ(out, (Lines{"x", "<h1 align=\"center\">TITLE</h1>", "", "Text", "a", "b"}));
}

TEST_F(HeadersTest, SentenceLikeLineNeedsTwoEmptyLinesAfterIt) {
    const Lines one = {"x", "", "He went home.", "", "Text", "a", "b", "c"};
    EXPECT_EQ(Detect(one), one);
    const Lines out = Detect({"x", "", "He went home.", "", "", "Text", "a", "b", "c"});
    EXPECT_EQ(out, (Lines{"x", "<h1 align=\"center\">He went home.</h1>", "", "Text", "a", "b", "c"}));
}

TEST_F(HeadersTest, UpperCaseCyrillicLineIsNeverSentenceLike) {
    // "ГЛАВА ВТОРАЯ." in the working code page.
    const std::string title = "\xC3\xCB\xC0\xC2\xC0 \xC2\xD2\xCE\xD0\xC0\xDF.";
    const Lines out = Detect({"x", "", title, "", "Text", "a", "b", "c"});
    EXPECT_EQ(out[1], "<h1 align=\"center\">" + title + "</h1>");
}

TEST_F(HeadersTest, IsolatedDialogueLineBecomesAHeader) {
    const Lines out = Detect({"x", "", "- says he", "", "", "Text", "a", "b", "c"});
    EXPECT_EQ(out[1], "<h1 align=\"center\">- says he</h1>");
}

TEST_F(HeadersTest, SpacesOnlyLineIsNeverAHeader) {
    const Lines in = {"x", "", "     ", "", "Text", "a", "b", "c"};
    EXPECT_EQ(Detect(in), in);
}

TEST_F(HeadersTest, NumberedLineNeedsAnEmptyLineAfterIt) {
    const Lines in = {"x", "", "1. First point", "goes on", "a", "b", "c", "d"};
    EXPECT_EQ(Detect(in), in);
    // Mixed case with a full stop would need two empty lines under rule 2;
    // the number makes one enough.
    const Lines out = Detect({"x", "", "12. The storm.", "", "Text", "a", "b", "c"});
    EXPECT_EQ(out[1], "<h1 align=\"center\">12. The storm.</h1>");
    EXPECT_EQ(Detect({"x", "", "  XIV", "", "Text", "a", "b", "c"})[1], "<h1 align=\"center\">  XIV</h1>");
}


TEST_F(HeadersTest, SectionTagsAreNumberedInDocumentOrder) {
    t.settings.HeadStartTag = "<section id=\"s%d\"><title>";
    t.settings.HeadCloseTag = "</title>";
    const Lines out = Detect({"", "", "ONE", "", "a", "b", "", "", "TWO", "", "c", "d", "", "", "THREE", "", "e",
                              "f", "g", "h", "i"});
    EXPECT_EQ(out[0], "<section id=\"s1\"><title>ONE</title>");
    EXPECT_EQ(out[4], "<section id=\"s2\"><title>TWO</title>");
    EXPECT_EQ(out[8], "<section id=\"s3\"><title>THREE</title>");
}

TEST_F(HeadersTest, HostileFormatDirectivesAreCopiedNotExecuted) {
    t.settings.HeadStartTag = "<chapter %s %n %d>";
    t.settings.HeadCloseTag = "</chapter>";
    const Lines out = Detect({"", "", "ONE", "", "a", "b", "c"});
    EXPECT_EQ(out[0], "<chapter 1 %n %d>ONE</chapter>");
}

TEST_F(HeadersTest, EmptyStartTagFallsBackToLevelOne) {
    t.settings.HeadStartTag = "";
    t.settings.HeadCloseTag = "</h2>";
    EXPECT_EQ(Detect({"", "", "ONE", "", "a", "b", "c"})[0], "<h1>ONE</h1>");
}

TEST_F(HeadersTest, StoredEmptyStartTagGivesAMatchingPair) {
    ConfigTree tree;
    std::string err;
    ASSERT_TRUE(ImportRegedit(tree,
                              "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kRootKey) +
                                  "]\n\"Head string close tag\"=\"</h2>\"\n\"Head string start tag\"=\"\"\n",
                              &err))
        << err;
    LoadSettings(tree, t.settings);
    EXPECT_EQ(Detect({"", "", "ONE", "", "a", "b", "c"})[0], "<h1>ONE</h1>");
}


class HeaderRulesTest : public HeadersTest {
protected:
    Lines Rules(const Lines& lines) {
        Set(lines);
        StageHeaderRules(t.ctx);
        return t.LineTexts();
    }
};

TEST_F(HeaderRulesTest, RuleGoesBeforeEveryHeaderAndOldRulesGo) {
    const Lines out = Rules({"h0", "h1", "a", "b", "c", "text", "<h1>One</h1>", "<hr>", "x<hr size=2>y<hr>",
                             "<HR>", "<h2>Two</h2>"});
    EXPECT_EQ(out, (Lines{"h0", "h1", "a", "b", "c", "text<hr size=\"0\">", "<h1>One</h1>", "xy",
                          "<HR><hr size=\"0\">", "<h2>Two</h2>"}));
}

TEST_F(HeaderRulesTest, ReadersOwnRuleAndTheFirstLinesStay) {
    const Lines in = {"<hr>", "a", "b", "c", "<h1>x</h1>", "<hr size=\"0\" id=\"pellmark\"><hr>", "<HR>"};
    EXPECT_EQ(Rules(in), in);
}

TEST_F(HeaderRulesTest, UnclosedRuleIsCutToTheLineEnd) {
    EXPECT_EQ(Rules({"a", "b", "c", "d", "e", "text<hr size=2", "<hr", "end"}),
              (Lines{"a", "b", "c", "d", "e", "text", "end"}));
}


}  // namespace
}  // namespace pm
