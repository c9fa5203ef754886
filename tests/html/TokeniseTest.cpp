#include <gtest/gtest.h>

#include "Helpers.h"

namespace pm::test {
namespace {

using E = std::vector<Entry>;

TEST(Tokenise, TextTagsAndInlineClosingTag) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"a <i>b</i> c"}), (E{{"a ", 0}, {"<i>", 1}, {"b", 0}, {"</i> c", 0}}));
}

TEST(Tokenise, InlineClosingTagIsATagWhenAllHtmlGoes) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    EXPECT_EQ(Tokens(t, {"b</I> c"}), (E{{"b", 0}, {"</i>", 1}, {"c", 0}}));
}

TEST(Tokenise, TagIsNormalised) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<P  Class=X>"}), (E{{"<p class=x>", 1}}));
    // Cyrillic letters of attribute values keep their case; tabs collapse.
    EXPECT_EQ(Tokens(t, {"<IMG\tALT=\"\xC4\xE0\">"}), (E{{"<img alt=\"\xC4\xE0\">", 1}}));
}

TEST(Tokenise, EmptyAndBlankLinesGiveEmptyEntries) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"one", "", "   ", "\t", "two"}),
              (E{{"one", 0}, {"", 0}, {"", 0}, {"", 0}, {"two", 0}}));
}

TEST(Tokenise, NonBreakingSpacesAndTabsBecomeSpaces) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"a\xA0\tb"}), (E{{"a   b", 0}}));
}

TEST(Tokenise, SpacesAfterATagAreDropped) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<p>   text", "<br>  "}), (E{{"<p>", 1}, {"text", 0}, {"<br>", 1}}));
}

TEST(Tokenise, TagOverSeveralLinesIsJoinedBySpaces) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<a", "HREF=x.html>link</a>"}), (E{{"<a href=x.html>", 1}, {"link", 0}, {"</a>", 1}}));
}

TEST(Tokenise, CommentOnOneLine) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<!-- note -->after"}), (E{{"<!-- note -->", 101}, {"after", 0}}));
    EXPECT_EQ(Tokens(t, {"text <!-- c --> more"}), (E{{"text ", 0}, {"<!-- c -->", 101}, {" more", 0}}));
    // Blank text before a comment is an empty entry.
    EXPECT_EQ(Tokens(t, {"   <!-- c -->"}), (E{{"", 0}, {"<!-- c -->", 101}}));
}

TEST(Tokenise, CommentAcrossLinesClosingMidLine) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"x <!-- one", "two", "three --> rest", "next"}),
              (E{{"x ", 0}, {"<!-- one\ntwo\nthree -->", 101}, {" rest next", 0}}));
}

TEST(Tokenise, CommentAcrossLinesClosingAtLineEnd) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<!-- a", "b -->", "c"}), (E{{"<!-- a\nb -->", 101}, {"c", 0}}));
}

TEST(Tokenise, CommentClosingOnTheLastLineKeepsTokenisingTheRest) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<!-- a", "b --><b>c"}), (E{{"<!-- a\nb -->", 101}, {"<b>", 1}, {"c", 0}}));
}

TEST(Tokenise, UnclosedCommentTakesTheRestOfTheInput) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"a", "<!-- open", "b", "c"}), (E{{"a", 0}, {"<!-- open\nb\nc", 101}}));
    EXPECT_EQ(Tokens(t, {"<!-- open"}), (E{{"<!-- open", 101}}));
}

TEST(Tokenise, StrayLessThanJoinsLinesUntilAGreaterThan) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"a < b", "c", "d>e"}), (E{{"a ", 0}, {"< b c d>", 1}, {"e", 0}}));
    EXPECT_EQ(t.questions.CountAsked("message"), 0u);
}

TEST(Tokenise, StrayLessThanAtTheEndBecomesText) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"a < b", "c"}), (E{{"a ", 0}, {"&lt; b c", 0}}));
}

TEST(Tokenise, VeryLongTagWarnsOnce) {
    TestContext t;
    std::vector<std::string> lines{"start < here"};
    for (int i = 0; i < 60; ++i) lines.push_back(std::string(50, 'x'));
    lines.push_back("> end");
    lines.push_back("<i");
    for (int i = 0; i < 60; ++i) lines.push_back(std::string(50, 'y'));
    const E tokens = Tokens(t, lines);
    ASSERT_EQ(t.questions.CountAsked("message"), 1u);
    const auto& asked = t.questions.asked.front();
    EXPECT_EQ(asked.caption, "Error");
    EXPECT_EQ(asked.text, t.texts.Msg("Very long tag") + "\r" + ("< here " + std::string(50, 'x') + " " + std::string(42, 'x')) + "...");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[1].mark, 1);
    EXPECT_EQ(tokens[2], (Entry{"end", 0}));
    EXPECT_EQ(tokens[3].text.substr(0, 7), "&lt;i y");
}

TEST(Tokenise, LongTagWarningStartsAbove1024Characters) {
    TestContext t;
    Tokens(t, {"<" + std::string(1023, 'x'), "x>"});
    EXPECT_EQ(t.questions.CountAsked("message"), 0u);
    TestContext u;
    Tokens(u, {"<" + std::string(1024, 'x'), "x>"});
    EXPECT_EQ(u.questions.CountAsked("message"), 1u);
}

TEST(Tokenise, CommentInsideAnUnfinishedTagEndsWithTheTag) {
    // The text before the comment ends in an unfinished tag: the comment
    // goes into the tag instead of being cut off and read again forever.
    TestContext t;
    EXPECT_EQ(Tokens(t, {"x <b <!-- c -->"}), (E{{"x ", 0}, {"<b<!-- c -->", 1}}));
    EXPECT_EQ(Tokens(t, {"x <b <!-- c", "d -->e"}), (E{{"x ", 0}, {"<b<!-- c d -->", 1}, {"e", 0}}));
    EXPECT_EQ(Tokens(t, {"<b <!-- c"}), (E{{"&lt;b <!-- c", 0}}));
}

TEST(Tokenise, TagBeforeACommentOnTheSameLine) {
    TestContext t;
    EXPECT_EQ(Tokens(t, {"<p><!-- c --></p>"}), (E{{"<p>", 1}, {"<!-- c -->", 101}, {"</p>", 1}}));
    EXPECT_EQ(Tokens(t, {"</i> x <!-- c -->"}), (E{{"</i> x ", 0}, {"<!-- c -->", 101}}));
}

TEST(Tokenise, ManyTagsOnOneHugeLine) {
    TestContext t;
    std::string line;
    for (int i = 0; i < 20000; ++i) line += "<b>w</b> <!--c-->";
    const E tokens = Tokens(t, {line});
    ASSERT_EQ(tokens.size(), 20000u * 4);
    EXPECT_EQ(tokens[0], (Entry{"<b>", 1}));
    EXPECT_EQ(tokens[1], (Entry{"w", 0}));
    EXPECT_EQ(tokens[2], (Entry{"</b> ", 0}));
    EXPECT_EQ(tokens[3], (Entry{"<!--c-->", 101}));
}

TEST(Tokenise, ProgressNeverExceedsAHundred) {
    TestContext t;
    Tokens(t, {"<!-- a", "b", "c -->", "d", "e"});
    ASSERT_FALSE(t.status.progress.empty());
    for (const auto& p : t.status.progress) EXPECT_LE(std::stoi(p), 100);
}

}  // namespace
}  // namespace pm::test

namespace pm::test {
namespace {

// Random mark-up fragments: every input must end, and the tokeniser must
// lose none of the text (only spaces and letter case change).
TEST(Tokenise, RandomInputEndsAndKeepsItsText) {
    static const char* kPieces[] = {"<", ">", "<!--", "-->", "a", " ", "</i>", "<b ", "\t", "</FONT>", "-", "!"};
    uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    auto count = [](const std::string& s) {
        size_t n = 0;
        for (char c : s) n += c == 'a' || c == '>' || c == '-' || c == '!';
        return n;
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> lines(1 + next() % 6);
        size_t in = 0;
        for (auto& line : lines) {
            for (size_t k = next() % 12; k > 0; --k) line += kPieces[next() % std::size(kPieces)];
            in += count(line);
        }
        for (bool stripAll : {false, true}) {
            TestContext t;
            t.settings.RemoveAllHtml = stripAll;
            size_t out = 0;
            for (const Entry& e : Tokens(t, lines)) out += count(e.text);
            ASSERT_EQ(out, in) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace pm::test
