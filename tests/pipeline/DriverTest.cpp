#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pipeline/Driver.h"
#include "support/TestContext.h"

namespace pm {
namespace {

const StageInfo* FindStage(int number) {
    size_t n = 0;
    const StageInfo* t = StageTable(n);
    for (size_t i = 0; i < n; ++i)
        if (t[i].number == number) return &t[i];
    return nullptr;
}

TEST(Driver, StageTableRunsInOrderWithTheRightProcessKeys) {
    size_t n = 0;
    const StageInfo* t = StageTable(n);
    ASSERT_EQ(n, 26u);
    for (size_t i = 0; i < n; ++i) EXPECT_EQ(t[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(t[0].processKey, "SimplyfyHTML");
    EXPECT_EQ(FindStage(16)->processKey, "DetectingParagraphs");
    EXPECT_EQ(FindStage(17)->processKey, "CreatingParagraphs");
    EXPECT_EQ(FindStage(22)->processKey, "InsertingHyphenation");
    EXPECT_TRUE(FindStage(3)->processKey.empty());
    EXPECT_TRUE(FindStage(24)->processKey.empty());
}

TEST(Driver, RemoveAllHtmlSwapsStageThreeForTheRemovalStagesAndSixteen) {
    test::TestContext t;
    t.settings.RemoveAllHtml = true;
    for (int s : {4, 5, 6, 7, 8, 9, 10, 16}) EXPECT_FALSE(FindStage(s)->runs(t.ctx)) << s;
    EXPECT_TRUE(FindStage(3)->runs(t.ctx));
    t.settings.RemoveAllHtml = false;
    for (int s : {4, 5, 6, 16}) EXPECT_TRUE(FindStage(s)->runs(t.ctx)) << s;
    EXPECT_FALSE(FindStage(3)->runs(t.ctx));
    // Each removal stage also follows its own option.
    t.settings.KillGraph = false;
    t.settings.KillFontTags = false;
    EXPECT_FALSE(FindStage(5)->runs(t.ctx));
    EXPECT_FALSE(FindStage(9)->runs(t.ctx));
}

TEST(Driver, OptionalStagesFollowTheirSettings) {
    test::TestContext t;
    EXPECT_FALSE(FindStage(15)->runs(t.ctx));  // "Detect Epigraphs" is off by default
    EXPECT_FALSE(FindStage(22)->runs(t.ctx));  // so is "Hyphenate"
    EXPECT_FALSE(FindStage(24)->runs(t.ctx));  // no document comment
    EXPECT_FALSE(FindStage(25)->runs(t.ctx));  // no XML book description
    t.doc.comment = "c";
    t.ctx.xmlDescriptionLoaded = true;
    t.settings.Hyphenate = true;
    EXPECT_TRUE(FindStage(22)->runs(t.ctx));
    EXPECT_TRUE(FindStage(24)->runs(t.ctx));
    EXPECT_TRUE(FindStage(25)->runs(t.ctx));
    EXPECT_TRUE(FindStage(23)->runs(t.ctx));
    EXPECT_TRUE(FindStage(26)->runs(t.ctx));
}

TEST(Driver, SecondConvertWithoutChangeDoesNothing) {
    test::TestContext t;
    PipelineDriver d;
    EXPECT_TRUE(d.Convert(LineList::FromText("one\ntwo"), t.ctx));
    const size_t count = t.ctx.lines.Count();
    t.ctx.lines.Append("marker");
    EXPECT_FALSE(d.Convert(LineList::FromText("other"), t.ctx));
    EXPECT_EQ(t.ctx.lines.Count(), count + 1);
    d.Invalidate();
    EXPECT_TRUE(d.Convert(LineList::FromText("other"), t.ctx));
}

// A stage's question closed without an answer stops the run: no later
// stage runs, the conversion stays out of date and the status says Ready.
TEST(Driver, CancelledQuestionStopsTheConversion) {
    test::TestContext t;
    t.questions.confirmToc = false;
    PipelineDriver d;
    EXPECT_FALSE(d.Convert(LineList::FromText("text\n\n\n\nCHAPTER ONE\n\n\nmore text"), t.ctx));
    EXPECT_FALSE(d.UpToDate());
    EXPECT_EQ(t.questions.CountAsked("toc"), 1u);
    EXPECT_EQ(t.status.statuses.back(), t.texts.Proc("Ready"));
    for (const std::string& s : t.status.statuses) EXPECT_EQ(s.find("comment"), std::string::npos) << s;
    t.questions.confirmToc = true;
    EXPECT_TRUE(d.Convert(LineList::FromText("text\n\n\n\nCHAPTER ONE\n\n\nmore text"), t.ctx));
    EXPECT_TRUE(d.UpToDate());
}

TEST(Driver, EmptySourceGivesTheFrameAndTheTitleLine) {
    test::TestContext t;
    t.doc.title = "T";
    PipelineDriver d;
    ASSERT_TRUE(d.Convert(LineList(), t.ctx));
    // Head, title entry, the table of contents' title line, tail.
    ASSERT_EQ(t.ctx.lines.Count(), 4u);
    EXPECT_EQ(t.ctx.lines.Text(0).rfind("<!doctype", 0), 0u);
    EXPECT_EQ(t.ctx.lines.Text(2), "<a name=\"start000\"><h1>T</h1></a>");
    EXPECT_EQ(t.ctx.lines.Text(3), "</body></html>");
    t.doc.comment = "note";
    d.Invalidate();
    ASSERT_TRUE(d.Convert(LineList(), t.ctx));
    ASSERT_EQ(t.ctx.lines.Count(), 5u);
    EXPECT_NE(t.ctx.lines.Text(3).find("note"), std::string::npos);
}

TEST(Driver, StatusNamesEachStageAndEndsWithReady) {
    test::TestContext t;
    PipelineDriver d;
    d.Convert(LineList::FromText("text"), t.ctx);
    const auto& s = t.status.statuses;
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.front(), "CurrentTask: Simplyfy HTML");
    EXPECT_EQ(s.back(), "Ready");
    EXPECT_NE(std::find(s.begin(), s.end(), "CurrentTask: Detecting paragraphs"), s.end());
    EXPECT_EQ(std::find(s.begin(), s.end(), "CurrentTask: Detecting Epigraphs"), s.end());
}

TEST(Driver, DashAndEllipsisStagesAnnounceThemselvesEvenWhenOff) {
    test::TestContext t;
    t.settings.ConvertDashes = false;
    t.settings.ConvertThreePoints = false;
    t.settings.ConvertQuotes = false;
    PipelineDriver d;
    d.Convert(LineList::FromText("a - b..."), t.ctx);
    const auto& s = t.status.statuses;
    EXPECT_NE(std::find(s.begin(), s.end(), "CurrentTask:  Searching for [-]"), s.end());
    EXPECT_NE(std::find(s.begin(), s.end(), "CurrentTask:  Searching for [...]"), s.end());
    EXPECT_EQ(std::find(s.begin(), s.end(), "CurrentTask: Searching for [ \" ]"), s.end());
    EXPECT_NE(t.ctx.lines.Join().find("a - b..."), std::string::npos);
}

TEST(Driver, StageLimitZeroHandsBackTheSourceLines) {
    test::TestContext t;
    PipelineDriver d;
    d.SetLastStage(0);
    d.Convert(LineList::FromText("a\n\nb"), t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(t.Marks(), (std::vector<int>{0, 0, 0}));
}

// The source as text goes through the stages as the lines it breaks into.
TEST(Driver, SourceTextConvertsAsItsLines) {
    const std::string book =
        "<html><!-- a comment\r\nover lines -->\r\n   Para one\r\nline two.\n\n  Two \"quoted\"\r\n<b>bold</b>\r\r\n";
    test::TestContext a, b;
    PipelineDriver fromLines, fromText;
    ASSERT_TRUE(fromLines.Convert(LineList::FromText(book), a.ctx));
    ASSERT_TRUE(fromText.Convert(std::string_view(book), b.ctx));
    EXPECT_EQ(a.LineTexts(), b.LineTexts());
    EXPECT_EQ(a.Marks(), b.Marks());
    EXPECT_FALSE(fromText.Convert(std::string_view(book), b.ctx));  // up to date
}

// Entries skip the arithmetic while their figure cannot change; every entry
// still shows its own rounded percentage, whichever way the stage walks.
TEST(Progress, EveryEntryShowsItsRoundedPercentage) {
    for (size_t count : {1u, 3u, 7u, 8u, 199u, 200u, 201u, 333u, 1000u, 4001u}) {
        for (bool backwards : {false, true}) {
            test::TestContext t;
            std::vector<std::string> expected;
            for (size_t k = 0; k < count; ++k) {
                const size_t i = backwards ? count - 1 - k : k;
                t.ctx.ReportProgress(i, count);
                const auto pct = static_cast<int>(std::nearbyint(100.0 * static_cast<double>(i) / count));
                const std::string figure = std::to_string(pct) + "%";
                if (expected.empty() || expected.back() != figure) expected.push_back(figure);
            }
            EXPECT_EQ(t.status.progress, expected) << count << (backwards ? " backwards" : "");
        }
    }
}

TEST(Progress, WholePercentTiesToEvenNeverAboveHundredOnlyChanges) {
    test::TestContext t;
    t.ctx.ReportProgress(1, 8);    // 12.5 -> 12
    t.ctx.ReportProgress(3, 8);    // 37.5 -> 38
    t.ctx.ReportProgress(3, 8);    // unchanged: not reported again
    t.ctx.ReportProgress(12, 10);  // a stage that inserted entries
    t.ctx.ReportProgress(1, 0);    // nothing to report on an empty list
    EXPECT_EQ(t.status.progress, (std::vector<std::string>{"12%", "38%", "100%"}));
}

}  // namespace
}  // namespace pm
