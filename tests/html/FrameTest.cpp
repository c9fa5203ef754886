#include <gtest/gtest.h>

#include "Helpers.h"
#include "common/Format.h"

namespace pm::test {
namespace {

using E = std::vector<Entry>;

TEST(DocumentFrame, ReplacesTheSourceHeadAndTail) {
    TestContext t;
    t.doc.author = "Ann Author";
    t.doc.shortTitle = "Book";
    Frame(t, {"<html><head><title>old</title></head>", "<BODY bgcolor=white>", "text", "more", "</body>", "</html>"});
    const E all = Entries(t.ctx.lines);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0], (Entry{FormatTemplate(t.templates.Get("Header"), {"Ann Author"}), 100}));
    EXPECT_NE(all[0].text.find("<meta name=\"author\" content=\"Ann Author\">"), std::string::npos);
    EXPECT_EQ(all[1], (Entry{"<title>Book</title></head><body>", 100}));
    EXPECT_EQ(all[2], (Entry{"text", 0}));
    EXPECT_EQ(all[3], (Entry{"more", 0}));
    EXPECT_EQ(all[4], (Entry{"</body></html>", 100}));
    EXPECT_EQ(t.status.statuses.back(), "CurrentTask: Adding correct end");
}

TEST(DocumentFrame, SourceWithoutBodyKeepsEverything) {
    TestContext t;
    Frame(t, {"one", "two", "three", "four", "five"});
    EXPECT_EQ(Content(t), (E{{"one", 0}, {"two", 0}, {"three", 0}, {"four", 0}, {"five", 0}}));
    EXPECT_EQ(Entries(t.ctx.lines).back(), (Entry{"</body></html>", 100}));
}

TEST(DocumentFrame, BodyTagInTheLastTwoEntriesIsNotSearched) {
    TestContext t;
    Frame(t, {"a", "<body>", "b"});
    EXPECT_EQ(Content(t), (E{{"a", 0}, {"<body>", 1}, {"b", 0}}));
}

TEST(DocumentFrame, ClosingBodyNearTheStartStays) {
    // The tail search stops at the fifth entry.
    TestContext t;
    Frame(t, {"a", "</body>", "b"});
    EXPECT_EQ(Content(t), (E{{"a", 0}, {"</body>", 1}, {"b", 0}}));
}

TEST(DocumentFrame, EmptySourceGivesTheFrameOnly) {
    TestContext t;
    Frame(t, {});
    EXPECT_EQ(t.ctx.lines.Count(), 3u);
}

TEST(DocumentFrame, CoverImageAndXmlOutputMode) {
    TestContext t;
    t.doc.shortTitle = "T";
    t.doc.coverImage = "cover.jpg";
    t.doc.author = "whole name";
    t.doc.firstName = "F";
    t.doc.middleName = "M";
    t.doc.lastName = "L";
    t.templates.Set("FileExt", ".XML");
    t.templates.Set("Header", "<head a=\"%s\" b=\"%s\" c=\"%s\">");
    Frame(t, {"x"});
    EXPECT_EQ(t.ctx.lines.Text(0), "<head a=\"F\" b=\"M\" c=\"L\">");
    EXPECT_EQ(t.ctx.lines.Text(1),
              "<title>T</title></head><body><img src=\"cover.jpg\" border=\"0\"><hr size=\"0\">");
}

TEST(DocumentFrame, HostileHeaderTemplateIsHarmless) {
    TestContext t;
    t.doc.author = "A";
    t.templates.Set("Header", "%n%x %s%s%s %.3d%");
    Frame(t, {"x"});
    EXPECT_EQ(t.ctx.lines.Text(0), "%n%x A%s%s %.3d%");
}

}  // namespace
}  // namespace pm::test
