#include <algorithm>
#include <gtest/gtest.h>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

// Keeps the texts the confirmation window would list.
class CapturingQuestions : public ScriptedQuestions {
public:
    std::vector<std::string> listed;
    bool ConfirmToc(std::vector<TocChoice>& entries) override {
        for (const auto& e : entries) {
            listed.push_back(e.text);
            EXPECT_TRUE(e.checked);
        }
        return ScriptedQuestions::ConfirmToc(entries);
    }
};

const std::string kBack = "</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a>";

class TocTest : public ::testing::Test {
protected:
    test::TestContext t;
    CapturingQuestions q;
    ConversionContext ctx{t.settings, t.doc, t.templates, t.texts, t.status, q, t.files};

    TocTest() { t.doc.title = "Book"; }

    void Build(const Lines& body) {
        ctx.lines.Clear();
        ctx.lines.Append("<html><head>", kMarkBlock);
        ctx.lines.Append("<title>Book</title></head><body>", kMarkBlock);
        for (const auto& s : body) ctx.lines.Append(s, kMarkBlock);
        ctx.lines.Append("</body></html>", kMarkBlock);
    }
    Lines Run() {
        StageTableOfContents(ctx);
        Lines out;
        for (size_t i = 0; i < ctx.lines.Count(); ++i) out.push_back(ctx.lines.Text(i));
        return out;
    }
};

// The confirmation closed without "Done" gives the conversion up before
// any header is touched.
TEST_F(TocTest, ClosedConfirmationCancelsTheConversion) {
    q.confirmToc = false;
    Build({"<div>a</div>", "<h1>One</h1>", "<div>b</div>"});
    const Lines out = Run();
    EXPECT_TRUE(ctx.cancelled);
    // No table was built and the header is left as it was.
    for (const std::string& line : out) EXPECT_EQ(line.find("href"), std::string::npos) << line;
    EXPECT_NE(std::find(out.begin(), out.end(), "<h1>One</h1>"), out.end());
}

TEST_F(TocTest, NoHeadersGivesOnlyTheTitleLine) {
    Build({"<div>text</div>"});
    const Lines out = Run();
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[2], "<a name=\"start000\"><h1>Book</h1></a>");
    EXPECT_EQ(q.CountAsked("toc"), 0u);
}

TEST_F(TocTest, NothingCollectedWhenBothOptionsAreOff) {
    t.settings.CreateToc = false;
    Build({"<div>a</div>", "<h1>One</h1>", "<div>b</div>"});
    const Lines out = Run();
    EXPECT_EQ(out.size(), 7u);
    EXPECT_EQ(out[4], "<h1>One</h1>");
    EXPECT_EQ(q.CountAsked("toc"), 0u);
}


TEST_F(TocTest, ShortHeaderTextIsMarkedInListAndTable) {
    Build({"<div>a</div>", "<h1>II</h1>", "<div>b</div>"});
    const Lines out = Run();
    EXPECT_EQ(q.listed, (Lines{"II >>>"}));
    EXPECT_EQ(out[5], "<h3><a href=\"#linktostr4\">II &nbsp;&nbsp;&gt;&gt;&gt;</a></h3>");
}

TEST_F(TocTest, EntryTextIsTrimmedCutAndStopsAtMarkup) {
    const std::string longText(120, 'w');
    Build({"<div>a</div>", "<h1 align=\"center\">&nbsp; Spaced <b>bold</b></h1>", "<h2>" + longText + "</h2>",
           "<h1>&nbsp; &nbsp;</h1>", "<h1>unclosed"});
    Run();
    EXPECT_EQ(q.listed, (Lines{" Spaced ", std::string(100, 'w')}));
}

TEST_F(TocTest, HeaderAtIndexThreeStaysAboveTheTable) {
    Build({"<h1>First</h1>", "<div>text</div>", "<h2>Subpart</h2>", "<div>b</div>"});
    const Lines out = Run();
    const Lines want = {"<html><head>",
                        "<title>Book</title></head><body>",
                        "<a name=\"start000\"><h1>Book</h1></a>",
                        "<h1><a name=\"linktostr3\">First" + kBack + "</h1>",
                        "<div>text</div>",
                        "<h3><a href=\"#linktostr3\">First</a></h3>",
                        "<blockquote><blockquote><h3><a href=\"#linktostr5\">Subpart</a></h3></blockquote></blockquote>",
                        "<h2><a name=\"linktostr5\">Subpart" + kBack + "</h2>",
                        "<div>b</div>",
                        "</body></html>"};
    EXPECT_EQ(out, want);
}

TEST_F(TocTest, SameLevelHeadersAreNotNested) {
    Build({"<div>a</div>", "<div>b</div>", "<h2>First</h2>", "<h2>Second</h2>"});
    const Lines out = Run();
    EXPECT_EQ(out[5], "<h3><a href=\"#linktostr5\">First</a></h3>");
    EXPECT_EQ(out[6], "<h3><a href=\"#linktostr6\">Second</a></h3>");
}

TEST_F(TocTest, UncheckedHeaderLosesTagsAndItsPageRule) {
    q.tocUncheck = {1};
    Build({"<div>a</div>", "<div>b</div><hr size=\"0\">", "<h1>First</h1>", "<div>c</div><hr size=\"0\">",
           "<h1>Second</h1>"});
    const Lines out = Run();
    EXPECT_EQ(out[4], "<div>b</div>");
    EXPECT_EQ(out[5], "<h3><a href=\"#linktostr7\">Second</a></h3>");
    EXPECT_EQ(out[6], "First");
    EXPECT_EQ(out[7], "<div>c</div><hr size=\"0\">");
}


TEST_F(TocTest, XmlOutputGetsNoTitleLineAndUnconfirmedEntriesStayChecked) {
    t.templates.Set("FileExt", ".xml");
    t.settings.ConfirmToc = false;
    Build({"<div>a</div>", "<div>b</div>", "<h1>Once</h1>"});
    const Lines out = Run();
    EXPECT_EQ(q.CountAsked("toc"), 0u);
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[2], "<div>a</div>");
    EXPECT_EQ(out[5], "<h3><a href=\"#linktostr4\">Once</a></h3>");
    EXPECT_EQ(out[4], "<h1><a name=\"linktostr4\">Once" + kBack + "</h1>");
}

TEST_F(TocTest, CommentGoesBeforeTheClosingLineAsWritten) {
    t.doc.comment = "Typed by %d hand %s";
    Build({"<div>a</div>"});
    StageDocumentComment(ctx);
    ASSERT_EQ(ctx.lines.Count(), 5u);
    EXPECT_EQ(ctx.lines.Text(3), "<hr size=\"0\"><div align=\"center\">Typed by %d hand %s</div>");
    EXPECT_EQ(ctx.lines.Mark(3), kMarkBlock);
    EXPECT_EQ(ctx.lines.Text(4), "</body></html>");
}

}  // namespace
}  // namespace pm
