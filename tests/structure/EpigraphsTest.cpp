#include <gtest/gtest.h>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

const std::string kOpen = "<blockquote><blockquote><blockquote><blockquote><blockquote><blockquote>";
const std::string kClose = "</blockquote></blockquote></blockquote></blockquote></blockquote></blockquote>";
const std::string kLong = "     This is a long line of ordinary book text, sixty characters or more.";

class EpigraphsTest : public ::testing::Test {
protected:
    test::TestContext t;

    EpigraphsTest() { t.settings.DetectEpigraphs = true; }

    // Frame, a finished header, the given lines, then enough body text.
    void Build(const Lines& afterHeader, int header = 1, size_t bodyLines = 20) {
        t.ctx.lines.Clear();
        t.ctx.lines.Append("<html><head>", kMarkBlock);
        t.ctx.lines.Append("<title>x</title></head><body>", kMarkBlock);
        for (int n = 0; n < header; ++n) t.ctx.lines.Append("<h1>Chapter</h1>", kMarkBlock);
        for (const auto& s : afterHeader) t.ctx.lines.Append(s);
        for (size_t n = 0; n < bodyLines; ++n) t.ctx.lines.Append(kLong);
        t.ctx.lines.Append("</body></html>", kMarkBlock);
    }
    Lines Run() {
        StageDetectEpigraphs(t.ctx);
        return t.LineTexts();
    }
    void ExpectUnchanged() {
        const Lines before = t.LineTexts();
        EXPECT_EQ(Run(), before);
    }
};

TEST_F(EpigraphsTest, QuotationWithAuthorBecomesOneFinishedLine) {
    Build({"", "Two short lines", "of a quotation", "", "A. Author", "", kLong});
    const Lines out = Run();
    EXPECT_EQ(out[3], kOpen + "<I>Two short lines of a quotation </I><br>&nbsp;&nbsp;A. Author" + kClose);
    EXPECT_EQ(t.ctx.lines.Mark(3), kMarkBlock);
    EXPECT_EQ(out[2], "<h1>Chapter</h1>");  // the blank line between them is gone
    EXPECT_EQ(out[4], "");
    EXPECT_EQ(out[5], kLong);
}

TEST_F(EpigraphsTest, ShortListsAreLeftAlone) {
    t.ctx.lines.Clear();
    for (const char* s : {"<html>", "<body>", "<h1>C</h1>", "", "short", "", "Author"}) t.ctx.lines.Append(s);
    while (t.ctx.lines.Count() < 22) t.ctx.lines.Append(kLong);
    ExpectUnchanged();
}

TEST_F(EpigraphsTest, TextRightUnderTheHeaderIsNoEpigraph) {
    Build({"Short first line", "", "Author", ""});
    ExpectUnchanged();
}

TEST_F(EpigraphsTest, TooManyMarkedLinesAfterTheHeader) {
    Build({"", "Short quotation", "", "Author", ""}, 17);
    ExpectUnchanged();
    Build({"", "Short quotation", "", "Author", ""}, 16);
    EXPECT_EQ(Run()[18].rfind(kOpen, 0), 0u);
}

TEST_F(EpigraphsTest, LowScoringBlocksAreLeftAlone) {
    Build({"", kLong, kLong, "", "Author", ""});
    ExpectUnchanged();
    Build({"", "short", std::string(81, 'x'), "", "Author", ""});
    ExpectUnchanged();
    Build({"", "1. apples", "2. pears", "3. plums", "", "Author", ""});
    ExpectUnchanged();
}

TEST_F(EpigraphsTest, XmlOutputUsesTheAuthorTagsAndNoItalics) {
    t.templates.Set("FileExt", ".XML");
    Build({"", "Short quotation", "", "Author", ""});
    EXPECT_EQ(Run()[3], kOpen + "Short quotation <AUTHOR>Author</AUTHOR>" + kClose);
}

TEST_F(EpigraphsTest, PreservedBreaksFollowEveryJoinedLine) {
    t.settings.PreserveBreaksInEpigraph = true;
    Build({"", "first", "second", "", "Author", ""});
    EXPECT_EQ(Run()[3], kOpen + "<I>first<br> second<br> <br></I><br>&nbsp;&nbsp;Author" + kClose);
}

TEST_F(EpigraphsTest, LowerCaseLineContinuesTheQuotation) {
    Build({"", "first", "", "and on it goes", ""});
    EXPECT_EQ(Run()[3], kOpen + "<I>first and on it goes</I>" + kClose);
}

TEST_F(EpigraphsTest, MarkupAfterTheBlockClosesIt) {
    // The block stops before the next header, which stays.
    Build({"", "first", "second", "<h1>Next</h1>"});
    const Lines out = Run();
    EXPECT_EQ(out[3], kOpen + "<I>first second</I>" + kClose);
    EXPECT_EQ(out[4], "<h1>Next</h1>");
}

TEST_F(EpigraphsTest, ScoreMustBeAboveFourFifths) {
    const std::string wide(65, 'w');  // 60 to 80 characters: no point, no stop
    Build({"", "a", "b", "c", "d", wide, "", "Author", ""});
    ExpectUnchanged();  // 4 points over 5 lines is not enough
    Build({"", "a", "b", "c", "d", "e", "", "Author", ""});
    EXPECT_EQ(Run()[3], kOpen + "<I>a b c d e </I><br>&nbsp;&nbsp;Author" + kClose);
}

TEST_F(EpigraphsTest, SecondEpigraphUnderTheSameHeader) {
    Build({"", "First quote", "", "One Author", "", "Second quote", "", "Two Author", "", kLong});
    const Lines out = Run();
    EXPECT_EQ(out[3], kOpen + "<I>First quote </I><br>&nbsp;&nbsp;One Author" + kClose);
    EXPECT_EQ(out[4], kOpen + "<I>Second quote </I><br>&nbsp;&nbsp;Two Author" + kClose);
    EXPECT_EQ(t.ctx.lines.Mark(4), kMarkBlock);
    EXPECT_EQ(out[5], "");
    EXPECT_EQ(out[6], kLong);
}

TEST_F(EpigraphsTest, SectionBoundaryStartsTheSearch) {
    t.ctx.lines.Clear();
    for (const char* s : {"<html>", "<body>", "<section title=\"1\">x", "text", "</section><section title=\"2\">y"})
        t.ctx.lines.Append(s, kMarkBlock);
    for (const char* s : {"", "Short quotation", "", "Author", ""}) t.ctx.lines.Append(s);
    for (int n = 0; n < 20; ++n) t.ctx.lines.Append(kLong);
    EXPECT_EQ(Run()[5], kOpen + "<I>Short quotation </I><br>&nbsp;&nbsp;Author" + kClose);
}

}  // namespace
}  // namespace pm
