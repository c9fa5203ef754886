#include <gtest/gtest.h>

#include "config/Settings.h"
#include "editing/MarkupCommands.h"

namespace pm {
namespace {

std::string Wrap(std::string_view selection, MarkupCommand c, const Settings& s = {}) {
    return WrapSelection(selection, RequestFor(c, s));
}

TEST(Wrap, BreaksAtTheEndsStayOutsideTheTags) {
    // A header with its line break: one break each side, never doubled.
    EXPECT_EQ(Wrap("Chapter 1\r", MarkupCommand::H1), "\r<h1>Chapter 1</h1>\r");
    EXPECT_EQ(Wrap("Chapter 1\r\n\r\n", MarkupCommand::H1), "\r<h1>Chapter 1</h1>\r");
    EXPECT_EQ(Wrap("\rChapter 1", MarkupCommand::H2), "\r<h2>Chapter 1</h2>\r");
    // Inline tags keep a break only where the selection had one.
    EXPECT_EQ(Wrap("word", MarkupCommand::Bold), "<b>word</b>");
    EXPECT_EQ(Wrap("word\r", MarkupCommand::Italic), "<I>word</I>\r");
    EXPECT_EQ(Wrap("\rword", MarkupCommand::UpperIndex), "\r<SUP>word</SUP>");
    EXPECT_EQ(Wrap("x", MarkupCommand::LowerIndex), "<sub>x</sub>");
}

TEST(Wrap, RunsOfSpacesAndBreaksAreReduced) {
    EXPECT_EQ(Wrap("a  b", MarkupCommand::Bold), "<b>a b</b>");
    EXPECT_EQ(Wrap("a     b", MarkupCommand::Bold), "<b>a b</b>");
    // Inside a block, empty lines go; inline wrapping keeps them.
    EXPECT_EQ(Wrap("one\r\r\rtwo", MarkupCommand::Paragraph), "\r<div align=\"justify\">one\rtwo</div>\r");
    EXPECT_EQ(Wrap("one\r\rtwo", MarkupCommand::Bold), "<b>one\r\rtwo</b>");
    // A line holding only a space between breaks loses its space.
    EXPECT_EQ(Wrap("one\r \rtwo", MarkupCommand::Bold), "<b>one\r\rtwo</b>");
}

TEST(Wrap, CommandsAndTheirTags) {
    Settings s;
    EXPECT_EQ(Wrap("p", MarkupCommand::Paragraph, s), "\r<div align=\"justify\">p</div>\r");
    s.SetParagraphStartTag("<p class=x>");
    s.SetParagraphEndTag("</p>");
    EXPECT_EQ(Wrap("p", MarkupCommand::Paragraph, s), "\r<p class=x>p</p>\r");
    EXPECT_EQ(Wrap("t", MarkupCommand::AlignRight), "\r<div align=\"right\">t</div>\r");
    EXPECT_EQ(Wrap("t", MarkupCommand::AlignCenter), "\r<div align=\"center\">t</div>\r");
    EXPECT_EQ(Wrap("i", MarkupCommand::List), "\r<li type=\"1\">i</li>\r");
    EXPECT_TRUE(RequestFor(MarkupCommand::H5, s).needsSelection);
    EXPECT_FALSE(RequestFor(MarkupCommand::List, s).needsSelection);
    EXPECT_EQ(RequestFor(MarkupCommand::H1, s).fontSizeStep, 4);
    EXPECT_EQ(RequestFor(MarkupCommand::H2, s).styleBits, kStyleBold | kStyleItalic);
}

TEST(Comment, LinkNoteAndPlace) {
    std::mt19937 random(7);
    const std::string id = MakeCommentId(random);
    const size_t sep = id.find("~~");
    ASSERT_NE(sep, std::string::npos);
    EXPECT_GE(std::stoll(id.substr(0, sep)), 0);
    EXPECT_LE(std::stoll(id.substr(sep + 2)), 2147483646);
    EXPECT_EQ(CommentLink("1~~2", "Title"), "<a href=\"#1~~2\" name=\"1~~2back\" id=\"Pellmark~link\">Title</a>");
    // The link is as long as the title and twice the identifier, and 47.
    EXPECT_EQ(CommentLink(id, "Title").size(), 5 + 2 * id.size() + 47);
    EXPECT_EQ(CommentNote("1~~2", "Body"),
              "<hr size=\"0\" id=\"pellmark\"><a id=\"PellmarkEndlink\" name=\"1~~2\">Body</a> "
              "<a href=\"#1~~2back\">[^^Back^^]</a>");
    EXPECT_EQ(CommentTitleFor("0123456789abc"), "0123456789...");
    EXPECT_EQ(CommentTitleFor("short"), "short...");
    EXPECT_EQ(NoteLineIndex({"a", "b", "</body></html>"}), 2u);
    EXPECT_EQ(NoteLineIndex({"a", "b"}), 2u);
    EXPECT_EQ(NoteLineIndex({}), 0u);
    // Line breaks after the closing tags leave empty lines below them; the
    // note still goes before the tags, never past "</html>".
    EXPECT_EQ(NoteLineIndex({"a", "</body></html>", ""}), 1u);
    EXPECT_EQ(NoteLineIndex({"a", "</body></html>", "", ""}), 1u);
    EXPECT_EQ(NoteLineIndex({"a", "b", ""}), 3u);
    EXPECT_EQ(NoteLineIndex({"</body></html>", "x", ""}), 3u);
    EXPECT_EQ(NoteLineIndex({"", ""}), 2u);
}

TEST(Case, CyrillicLetters) {
    EXPECT_EQ(UpperCaseSelection("abc \xE0\xE1\xB8"), "ABC \xC0\xC1\xA8");  // "абё"
    EXPECT_EQ(LowerCaseSelection("ABC \xC0\xC1\xA8"), "abc \xE0\xE1\xB8");
}

}  // namespace
}  // namespace pm
