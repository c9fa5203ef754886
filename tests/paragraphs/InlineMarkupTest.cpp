#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/TextTests.h"
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
    // Tags, meta entries and the frame (a cover image name) keep their "_".
    EXPECT_EQ(Italics(t, "<a href=my_file>", 1), "<a href=my_file>");
    EXPECT_EQ(Italics(t, "<meta name=\"x_y\">"), "<meta name=\"x_y\">");
    EXPECT_EQ(Italics(t, "<img src=\"my_cover.jpg\">", 100), "<img src=\"my_cover.jpg\">");
    // Templates are inserted whole, even with "_" or spaces in them.
    t.templates.Set("Emphasis open", "<hi rend=\"it_alic\">");
    t.templates.Set("Emphasis close", "</hi_>");
    EXPECT_EQ(Italics(t, "_a_b_ c"), "<hi rend=\"it_alic\">ab</hi_> c");
}

// Underscore emphasis the slow way, editing the whole string, with "{" and
// "}" standing for the templates (inserted whole, so never split): delete the
// first "_", open before the letter in front of it, skip the letter after it,
// scan on to a stop.
std::string ReferenceItalics(std::string s) {
    auto stop = [](char c) { return std::string_view(" !,.:?").find(c) != std::string_view::npos; };
    for (size_t k; (k = s.find('_')) != std::string::npos;) {
        s.erase(k, 1);
        s.insert(k == 0 || s[k - 1] == ' ' ? k : k - 1, "{");
        size_t j = k + 2;
        for (; j < s.size(); ++j) {
            if (s[j] == '_') {
                s.erase(j, 1);
                if (j < s.size() && stop(s[j])) break;
            } else if (stop(s[j])) {
                break;
            }
        }
        s.insert(std::min(j, s.size()), "}");
    }
    return text::ReplaceAll(text::ReplaceAll(s, "{", "<I>"), "}", "</I>");
}

TEST(UnderscoreItalics, MatchesTheLiteralScanOnRandomText) {
    const std::string pieces = "__ __ab.,!?:xy";
    std::mt19937 rng(11);
    test::TestContext t;
    for (int n = 0; n < 20000; ++n) {
        std::string s;
        for (int k = static_cast<int>(rng() % 16); k > 0; --k) s += pieces[rng() % pieces.size()];
        ASSERT_EQ(Italics(t, s), ReferenceItalics(s)) << "input: [" << s << "]";
    }
    // A long entry full of emphasis is worked through in one pass.
    std::string many;
    for (int k = 0; k < 100000; ++k) many += "a_b ";
    std::string expected;
    for (int k = 0; k < 100000; ++k) expected += "<I>ab</I> ";
    EXPECT_EQ(Italics(t, many), expected);
}

Lines Brackets(test::TestContext& t, std::initializer_list<std::pair<std::string, int>> body) {
    t.SetLines({{"h", 100}, {"t", 100}, {"", 0}});
    for (const auto& [text, mark] : body) t.ctx.lines.Append(text, mark);
    t.ctx.lines.Append("x");
    t.ctx.lines.Append("tail", kMarkBlock);
    StageBracketSuperscripts(t.ctx);
    Lines all = t.LineTexts();
    return Lines(all.begin() + 3, all.end() - 2);
}

TEST(BracketSuperscripts, BracketsBecomeNumberedSuperscripts) {
    test::TestContext t;
    EXPECT_EQ(Brackets(t, {{"word [12] more", 0}}), Lines{"word&nbsp;<SUP>12</SUP> more"});
    // Across lines, joined without spaces; a "]" before the "[" is no pair.
    EXPECT_EQ(Brackets(t, {{"a] see [note", 0}, {"goes", 1}, {"on]", 0}, {"after", 0}}),
              (Lines{"a] see&nbsp;<SUP>notegoeson</SUP>", "after"}));
    EXPECT_EQ(Brackets(t, {{"a [b", 0}, {"1", 0}, {"2", 0}, {"3", 0}, {"4", 0}, {"5", 0}, {"]6", 0}}),
              Lines{"a&nbsp;<SUP>b12345</SUP>6"});  // six entries on is still in reach
    const Lines far = {"a [b", "1", "2", "3", "4", "5", "6", "]"};
    EXPECT_EQ(Brackets(t, {{"a [b", 0}, {"1", 0}, {"2", 0}, {"3", 0}, {"4", 0}, {"5", 0}, {"6", 0}, {"]", 0}}), far);
    // The counter runs through both kinds; brackets in templates are no pairs.
    t.templates.Set("Footnote open", "<a href=\"#n%d\">[");
    t.templates.Set("Footnote close", "]</a>");
    EXPECT_EQ(Brackets(t, {{"a [x] b {y} c [z]", 0}}),
              Lines{"a<a href=\"#n1\">[x]</a> b<a href=\"#n3\">[y]</a> c<a href=\"#n2\">[z]</a>"});
}

}  // namespace
}  // namespace pm
