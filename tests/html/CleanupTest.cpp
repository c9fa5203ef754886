#include <gtest/gtest.h>

#include "Helpers.h"

namespace pm::test {
namespace {

using E = std::vector<Entry>;

// The stages 1 and 2, then one clean-up stage, on lines.
template <typename Stage>
E After(TestContext& t, const std::vector<std::string>& lines, Stage stage) {
    Frame(t, lines);
    stage(t.ctx);
    return Content(t);
}

TEST(StripAllHtml, InlineTagsJoinTheTextAround) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    EXPECT_EQ(After(t, {"x<b>y</b>z"}, StageStripAllHtml), (E{{"x y z", 0}}));
}

TEST(StripAllHtml, HeadersLeaveThreeEmptyEntries) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    EXPECT_EQ(After(t, {"a", "<h2>Title</h2>", "b"}, StageStripAllHtml),
              (E{{"a", 0}, {"", 0}, {"", 0}, {"", 1}, {"Title", 0}, {"", 0}, {"", 0}, {"", 1}, {"b", 0}}));
}

TEST(StripAllHtml, BlockTagsGoWithoutJoining) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    EXPECT_EQ(After(t, {"a", "<p>b", "<br>c"}, StageStripAllHtml), (E{{"a", 0}, {"b", 0}, {"c", 0}}));
}

TEST(StripAllHtml, RemovesScriptsEvenWhenTheOptionIsOff) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    t.settings.KillFormsScripts = false;
    EXPECT_EQ(After(t, {"a", "b", "<script>", "code()", "</script>", "c"}, StageStripAllHtml),
              (E{{"a", 0}, {"b", 0}, {"c", 0}}));
}

TEST(StripAllHtml, TheTailIsNeverJoined) {
    TestContext t;
    t.settings.RemoveAllHtml = true;
    Frame(t, {"a", "<b>"});
    StageStripAllHtml(t.ctx);
    EXPECT_EQ(Entries(t.ctx.lines).back(), (Entry{"</body></html>", 100}));
    EXPECT_EQ(Content(t), (E{{"a", 0}}));
}

TEST(FormsAndScripts, NestedAndUnclosed) {
    TestContext t;
    EXPECT_EQ(After(t, {"a", "b", "<form>", "<script>", "x", "</script>", "in form", "</form>", "c"},
                    StageRemoveFormsScripts),
              (E{{"a", 0}, {"b", 0}, {"c", 0}}));
    // An unclosed form takes the rest of the body but never the tail.
    EXPECT_EQ(After(t, {"a", "b", "<form action=x>", "rest"}, StageRemoveFormsScripts), (E{{"a", 0}, {"b", 0}}));
    EXPECT_EQ(Entries(t.ctx.lines).back(), (Entry{"</body></html>", 100}));
}

TEST(FormsAndScripts, ScriptThatOpensTheBodyGoesWhole) {
    TestContext t;
    EXPECT_EQ(After(t, {"<body><script>", "var code;", "</script>text"}, StageRemoveFormsScripts),
              (E{{"text", 0}}));
    t.settings.RemoveAllHtml = true;
    EXPECT_EQ(After(t, {"<body>", "<form>", "<input>", "</form>", "b"}, StageStripAllHtml), (E{{"b", 0}}));
}

TEST(FormsAndScripts, StrayClosingTagDoesNotSpoilLaterOnes) {
    TestContext t;
    EXPECT_EQ(After(t, {"a", "b", "</script>", "c", "<script>", "code", "</script>", "d"}, StageRemoveFormsScripts),
              (E{{"a", 0}, {"b", 0}, {"c", 0}, {"d", 0}}));
}

TEST(Images, CoverImageStays) {
    TestContext t;
    t.doc.coverImage = "c.png";
    EXPECT_EQ(After(t, {"a<img src=x.gif>b"}, StageRemoveImages), (E{{"a", 0}, {"b", 0}}));
    EXPECT_NE(t.ctx.lines.Text(1).find("<img src=\"c.png\""), std::string::npos);
}

TEST(Links, LinkTextStaysAndAddressTagGoesToo) {
    TestContext t;
    EXPECT_EQ(After(t, {"<a href=x>text</a> <address>z</address>"}, StageRemoveLinks),
              (E{{"text", 0}, {"z", 0}, {"</address>", 1}}));
}

TEST(Pre, TagsAndModificationStamp) {
    TestContext t;
    EXPECT_EQ(After(t, {"<pre>", "Last-modified: Mon, 01 Jan 2001 GMT", "Last-modified: GMT here", "</pre>"},
                    StageRemovePre),
              (E{{"Last-modified: GMT here", 0}}));
}

TEST(Span, SpansOfficeTagsAndCommentsGo) {
    TestContext t;
    EXPECT_EQ(After(t, {"<span class=a>x</span><o:p></o:p><!-- c --><!doctype x>y"}, StageRemoveSpan),
              (E{{"x", 0}, {"y", 0}}));
}

TEST(Font, ClosingTagLeadingTextKeepsTheText) {
    TestContext t;
    EXPECT_EQ(After(t, {"<font color=red>a <i>b</i></font> c", "d</FONT>"}, StageRemoveFont),
              (E{{"a ", 0}, {"<i>", 1}, {"b", 0}, {"</i>", 0}, {" c", 0}, {"d", 0}}));
}

TEST(Font, ClosingTagAloneGoesWhole) {
    TestContext t;
    EXPECT_EQ(After(t, {"a</font>", "b"}, StageRemoveFont), (E{{"a", 0}, {"b", 0}}));
}

TEST(Styles, QuotedAndUnquotedAttributes) {
    TestContext t;
    EXPECT_EQ(After(t, {"<p style=\"a\" class='b'>"}, StageRemoveStyles), (E{{"<p  >", 1}}));
    EXPECT_EQ(After(t, {"<td class=x align=left>"}, StageRemoveStyles), (E{{"<td align=left>", 1}}));
    // The ">" always stays, even after an empty value.
    EXPECT_EQ(After(t, {"<p class=>"}, StageRemoveStyles), (E{{"<p >", 1}}));
    EXPECT_EQ(After(t, {"<p style=\"unclosed>"}, StageRemoveStyles), (E{{"<p >", 1}}));
    // Text entries are left alone.
    EXPECT_EQ(After(t, {"</i> style=x"}, StageRemoveStyles), (E{{"</i> style=x", 0}}));
}

}  // namespace
}  // namespace pm::test
