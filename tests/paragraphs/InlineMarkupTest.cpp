#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

std::string Italics(test::TestContext& t, const std::string& text, int mark = 0) {
    t.SetLines({{text, mark}});
    StageUnderscoreItalics(t.ctx);
    return t.LineTexts()[0];
}

TEST(UnderscoreItalics, SpacedLettersBecomeEmphasis) {
    test::TestContext t;
    EXPECT_EQ(Italics(t, "_T_e_x_t_ here"), "<I>Text</I> here");
    EXPECT_EQ(Italics(t, "T_e_x_t."), "<I>Text</I>.");
    EXPECT_EQ(Italics(t, "say _w_o_r_d_, then"), "say <I>word</I>, then");
    EXPECT_EQ(Italics(t, "ends T_e_x_t"), "ends <I>Text</I>");
    EXPECT_EQ(Italics(t, "a_b c_d"), "<I>ab</I> <I>cd</I>");
}

TEST(UnderscoreItalics, TagsMetaAndFrameEntriesKeepTheirUnderscores) {
    test::TestContext t;
    EXPECT_EQ(Italics(t, "<a href=my_file>", 1), "<a href=my_file>");
    EXPECT_EQ(Italics(t, "<meta name=\"x_y\">"), "<meta name=\"x_y\">");
    EXPECT_EQ(Italics(t, "<img src=\"my_cover.jpg\">", 100), "<img src=\"my_cover.jpg\">");
}

TEST(UnderscoreItalics, TemplatesWithUnderscoresOrSpacesAreInsertedWhole) {
    test::TestContext t;
    t.templates.Set("Emphasis open", "<hi rend=\"it_alic\">");
    t.templates.Set("Emphasis close", "</hi_>");
    EXPECT_EQ(Italics(t, "_a_b_ c"), "<hi rend=\"it_alic\">ab</hi_> c");
}

TEST(BracketSuperscripts, BracketsBecomeNumberedSuperscripts) {
    test::TestContext t;
    t.SetLines({{"h", 100}, {"t", 100}, {"", 0}, {"word [12] more", 0}, {"x", 0}, {"tail", 100}});
    StageBracketSuperscripts(t.ctx);
    EXPECT_EQ(t.LineTexts()[3], "word&nbsp;<SUP>12</SUP> more");

    t.templates.Set("Footnote open", "<a href=\"#n%d\">[");
    t.templates.Set("Footnote close", "]</a>");
    t.SetLines({{"h", 100}, {"t", 100}, {"", 0}, {"a [x] b {y} c [z]", 0}, {"x", 0}, {"tail", 100}});
    StageBracketSuperscripts(t.ctx);
    EXPECT_EQ(t.LineTexts()[3], "a<a href=\"#n1\">[x]</a> b<a href=\"#n3\">[y]</a> c<a href=\"#n2\">[z]</a>");
}

TEST(BracketSuperscripts, BracketsAcrossLinesJoinThemWithinSixEntries) {
    test::TestContext t;
    t.SetLines({{"h", 100}, {"t", 100}, {"", 0}, {"see [note", 0}, {"goes", 0}, {"on]", 0}, {"after", 0},
                {"tail", 100}});
    StageBracketSuperscripts(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"h", "t", "", "see&nbsp;<SUP>notegoeson</SUP>", "after", "tail"}));

    std::initializer_list<std::pair<std::string, int>> far = {
        {"h", 100}, {"t", 100}, {"", 0}, {"a [b", 0}, {"1", 0}, {"2", 0}, {"3", 0}, {"4", 0},
        {"5", 0},   {"6", 0},   {"]", 0}, {"x", 0}, {"tail", 100}};
    t.SetLines(far);
    StageBracketSuperscripts(t.ctx);
    EXPECT_EQ(t.LineTexts()[3], "a [b");
    EXPECT_EQ(t.ctx.lines.Count(), far.size());
}

TEST(BracketSuperscripts, AClosingBracketBeforeTheOpeningOneIsNotItsPair) {
    test::TestContext t;
    t.SetLines({{"h", 100}, {"t", 100}, {"", 0}, {"a) b] c [d", 0}, {"e]", 0}, {"x", 0}, {"tail", 100}});
    StageBracketSuperscripts(t.ctx);
    EXPECT_EQ(t.LineTexts()[3], "a) b] c&nbsp;<SUP>de</SUP>");
}

}  // namespace
}  // namespace pm
