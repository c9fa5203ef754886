#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;
using Entries = std::initializer_list<std::pair<std::string, int>>;
const std::string kDiv = "<div align=\"justify\">&nbsp;&nbsp;";

// Stage 16 on head, title, two <hr> tags (so that breaks are far enough
// from the start), the entries and the tail; returns all texts.
Lines Complete(test::TestContext& t, Entries entries) {
    t.SetLines({{"head", 100}, {"title", 100}, {"<hr>", 1}, {"<hr>", 1}});
    for (const auto& [text, mark] : entries) t.ctx.lines.Append(text, mark);
    t.ctx.lines.Append("tail", kMarkBlock);
    StageExistingParagraphs(t.ctx);
    Lines all = t.LineTexts();
    return Lines(all.begin() + 4, all.end());
}

TEST(ExistingParagraphs, ParagraphsCentersHeadersAndDivs) {
    test::TestContext t;
    EXPECT_EQ(Complete(t, {{"<p>", 1}, {"One", 0}, {"</p>", 1}, {"<p>", 1}, {"Two", 0}, {"</p>", 1},
                           {"<center>", 1}, {"Title", 0}, {"</center>", 1}, {"<h2>", 1}, {"Chapter", 0},
                           {"</h2>", 1}, {"<div>", 1}, {"&nbsp;Indented", 0}, {"</div>", 1}}),
              (Lines{kDiv + " One</div>", kDiv + " Two</div>", "<div align=\"center\">&nbsp;&nbsp; Title</div>",
                     "<h2> Chapter</h2>", "<div> &nbsp;Indented</div>", "tail"}));
    t.settings.ConvertPToDiv = false;
    EXPECT_EQ(Complete(t, {{"<p class=x>", 1}, {"One", 0}, {"<p>", 1}, {"Two", 0}}),
              (Lines{"<p class=x>&nbsp;&nbsp; One</p>", "<p>&nbsp;&nbsp; Two", "tail"}));
}

TEST(ExistingParagraphs, ANewBlockEndsTheOpenOneAndKeepsItsOpeningTag) {
    test::TestContext t;
    t.settings.AddNbsp = false;
    EXPECT_EQ(Complete(t, {{"<div>", 1}, {"Outer", 0}, {"<div>", 1}, {"Inner", 0}, {"</div>", 1}, {"</div>", 1}}),
              (Lines{"<div> Outer</div>", "<div> Inner</div>", "</div>", "tail"}));
}

TEST(ExistingParagraphs, EmptyBlocksCloseAtOnce) {
    test::TestContext t;
    EXPECT_EQ(Complete(t, {{"<p>", 1}, {"</p>", 1}, {"<div>", 1}, {"</div>", 1}, {"After", 0}, {"<h2>", 1},
                           {"</h2>", 1}, {"<p>", 1}, {"Two", 0}, {"</p>", 1}}),
              (Lines{kDiv + "</div>", "<div>&nbsp;&nbsp;</div>", "After", "<h2></h2>", kDiv + " Two</div>", "tail"}));
    // A break is still taken in, for the tidy-up to drop.
    EXPECT_EQ(Complete(t, {{"<div>", 1}, {"<br>", 1}, {"Text", 0}, {"</div>", 1}}),
              (Lines{"<div>&nbsp;&nbsp;<br> Text</div>", "tail"}));
}

TEST(ExistingParagraphs, TheTailIsNeverMergedIntoAnOpenBlock) {
    test::TestContext t;
    EXPECT_EQ(Complete(t, {{"<p>", 1}}), (Lines{kDiv, "tail"}));
    EXPECT_EQ(Complete(t, {{"<p>", 1}, {"text", 0}}), (Lines{kDiv + " text", "tail"}));
}

TEST(ExistingParagraphs, TextBeforeABreakBecomesAParagraph) {
    test::TestContext t;
    EXPECT_EQ(Complete(t, {{"First ", 0}, {"<b>", 1}, {"bold", 0}, {"</b> end", 0}, {"<br>", 1}, {"More", 0}}),
              (Lines{kDiv + "First  <b> bold </b> end </div>", "More", "tail"}));
    // A finished block has its end tag already; a comment is never pulled in.
    EXPECT_EQ(Complete(t, {{"<p>", 1}, {"One", 0}, {"</p>", 1}, {"<br>", 1}, {"<!-- a -- b -->", 101},
                           {"Two", 0}, {"<br>", 1}, {"<div>", 1}, {"Three", 0}, {"<br>", 1}, {"Four", 0}}),
              (Lines{kDiv + " One</div>", "<br>", "<!-- a -- b -->", kDiv + "Two </div>",
                     "<div>&nbsp;&nbsp; Three</div>", "Four", "tail"}));
    t.settings.ConvertBrToDiv = false;
    EXPECT_EQ(Complete(t, {{"Text", 0}, {"<br>", 1}}), (Lines{"Text", "<br>", "tail"}));
}

TEST(ExistingParagraphs, TextBeforeABreakStopsAtFinishedBlocksWithCustomTags) {
    test::TestContext t;
    t.settings.ParagraphStartTag = "<p>";
    t.settings.ParagraphEndTag = "</p>";
    EXPECT_EQ(Complete(t, {{"<p>", 1}, {"One", 0}, {"</p>", 1}, {"Two", 0}, {"<br>", 1},
                           {"<section>Head</section>", 100}, {"Three", 0}, {"<br>", 1}}),
              (Lines{"<p>&nbsp;&nbsp; One</p>", "<p>&nbsp;&nbsp;Two </p>", "<section>Head</section>",
                     "<p>&nbsp;&nbsp;Three </p>", "tail"}));
}

TEST(ExistingParagraphs, NoParagraphFromABreakNearTheStart) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"x", 0}, {"Text", 0}, {"<br>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts()[4], "<br>");
}

}  // namespace
}  // namespace pm
