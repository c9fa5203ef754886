#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"
#include "pipeline/TextFormat.h"
#include "support/TestContext.h"

namespace pm {
namespace {

const std::string kDiv = "<div align=\"justify\">&nbsp;&nbsp;";

// The frame around the given text entries (all mark 0).
void SetFramed(test::TestContext& t, const std::vector<std::string>& lines) {
    t.ctx.lines.Clear();
    t.ctx.lines.Append("head", kMarkBlock);
    t.ctx.lines.Append("title", kMarkBlock);
    for (const std::string& l : lines) t.ctx.lines.Append(l);
    t.ctx.lines.Append("tail", kMarkBlock);
}

// Entries between the frame, the inserted empty one at index 2 included.
std::vector<std::string> Body(const test::TestContext& t) {
    std::vector<std::string> all = t.LineTexts();
    return std::vector<std::string>(all.begin() + 2, all.end() - 1);
}

std::string P(const std::string& text) { return kDiv + text + "</div>"; }
const std::string kEmptyP = P("");

TEST(CreateParagraphs, FixedWidthJoinsContinuationsAndBreaksAtIndents) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    SetFramed(t, {"   First line of a paragraph that runs to the margin", "and its continuation",
                  "   Next paragraph."});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(Body(t), (std::vector<std::string>{
                           kEmptyP, P("First line of a paragraph that runs to the margin and its continuation"),
                           P("Next paragraph.")}));
    EXPECT_EQ(t.ctx.lines.Text(t.ctx.lines.Count() - 1), "tail");
}

TEST(CreateParagraphs, ShortStringsMaxDecidesWhetherAFinishedLineIsJoined) {
    const std::vector<std::string> src = {"  Opening line of the paragraph", "ends here.", "Next line"};
    test::TestContext def;  // "Short strings max" 80, as before any preset
    SetFramed(def, src);
    StageCreateParagraphs(def.ctx);
    EXPECT_EQ(Body(def), (std::vector<std::string>{kEmptyP, P("Opening line of the paragraph"), P("ends here."),
                                                   P("Next line")}));

    test::TestContext fixed;
    ApplyTextFormatPreset(fixed.settings, kPresetFixedWidth);
    SetFramed(fixed, src);
    StageCreateParagraphs(fixed.ctx);
    EXPECT_EQ(Body(fixed), (std::vector<std::string>{kEmptyP, P("Opening line of the paragraph ends here. Next line")}));

    // Only lines longer than 81 are tested for a sentence end.
    const std::string longEnd(82, 'x');
    SetFramed(fixed, {"  Opening line", longEnd + ".", "tail text"});
    StageCreateParagraphs(fixed.ctx);
    EXPECT_EQ(Body(fixed)[1], P("Opening line"));
}

TEST(CreateParagraphs, LinePerParagraphAndRestoringBrokenLinesFromTheTwelfthEntry) {
    std::vector<std::string> src = {"Start."};
    for (int i = 4; i <= 14; ++i) src.push_back("line" + std::to_string(i));
    src.push_back("last.");
    const std::string longLine(90, 'y');
    src[3] = longLine;  // entry 6, a paragraph by length

    test::TestContext plain;
    ApplyTextFormatPreset(plain.settings, kPresetLinePerParagraph);
    SetFramed(plain, src);
    StageCreateParagraphs(plain.ctx);
    std::vector<std::string> each = {kEmptyP};
    for (const std::string& s : src) each.push_back(P(s));
    EXPECT_EQ(Body(plain), each);

    test::TestContext restore;
    ApplyTextFormatPreset(restore.settings, kPresetLinePerParagraph);
    restore.settings.TryToRestoreDirs = true;
    SetFramed(restore, src);
    StageCreateParagraphs(restore.ctx);
    std::vector<std::string> expected(each.begin(), each.begin() + 9);  // up to entry 10
    expected.push_back(P("line11 line12 line13 line14 last."));
    EXPECT_EQ(Body(restore), expected);
}

TEST(CreateParagraphs, RestoringNeverCarriesTextIntoTheTail) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetLinePerParagraph);
    t.settings.TryToRestoreDirs = true;
    std::vector<std::string> src = {"Start."};
    for (int i = 4; i <= 12; ++i) src.push_back("Line " + std::to_string(i) + ".");
    src.push_back("no full stop");
    src.push_back(std::string(85, 'z'));  // long, unfinished, right before the tail
    SetFramed(t, src);
    StageCreateParagraphs(t.ctx);
    const std::vector<std::string> all = t.LineTexts();
    EXPECT_EQ(all.back(), "tail");
    EXPECT_EQ(all[all.size() - 2], P("no full stop " + std::string(85, 'z')));
}

TEST(CreateParagraphs, RunsOfBlankLinesBecomeOneBreakEntry) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    SetFramed(t, {"Text one.", "", "  ", "", "Text two.", "", "Text three."});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(Body(t), (std::vector<std::string>{P("Text one."), "<br>", P("Text two."), P("Text three.")}));
    EXPECT_EQ(t.ctx.lines.Mark(3), kMarkTag);
    EXPECT_EQ(t.ctx.lines.Mark(4), kMarkText);  // wrapped by the final pass only
    EXPECT_EQ(t.ctx.lines.Mark(5), kMarkBlock);

    t.settings.DetectTwoEmptyLines = 0;
    SetFramed(t, {"Text one.", "", "", "", "Text two."});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(Body(t), (std::vector<std::string>{P("Text one."), kEmptyP, kEmptyP, P("Text two.")}));
}

TEST(CreateParagraphs, DialogueDashesStartParagraphs) {
    const std::vector<std::string> src = {"  Narration.", "- Hello, he said.", "and left",
                                          "\x96 Yes.", "then silence"};
    test::TestContext on;
    ApplyTextFormatPreset(on.settings, kPresetLinePerParagraph);
    SetFramed(on, src);
    StageCreateParagraphs(on.ctx);
    EXPECT_EQ(Body(on), (std::vector<std::string>{kEmptyP, P("Narration."), P("- Hello, he said. and left"),
                                                  P("\x96 Yes. then silence")}));

    test::TestContext off;
    ApplyTextFormatPreset(off.settings, kPresetLinePerParagraph);
    off.settings.DialogsToDiv = false;
    SetFramed(off, src);
    StageCreateParagraphs(off.ctx);
    EXPECT_EQ(Body(off), (std::vector<std::string>{kEmptyP, P("Narration."), P("- Hello, he said."), P("and left"),
                                                   P("\x96 Yes."), P("then silence")}));
}

TEST(CreateParagraphs, CommentsAndFinishedBlocksAreLeftAlone) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    t.SetLines({{"head", 100}, {"title", 100}, {"  Para one", 0}, {"<!-- note -->", 101}, {"more", 0},
                {"<h2>Header</h2>", 100}, {"  Para two", 0}, {"<h3>Sub", 0}, {"tail", 100}});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(Body(t), (std::vector<std::string>{kEmptyP, P("Para one"), "<!-- note -->", P("more"),
                                                 "<h2>Header</h2>", P("Para two"), P("<h3>Sub")}));
}

TEST(CreateParagraphs, InlineTagsJoinTheirText) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetHtml);
    t.SetLines({{"head", 100}, {"title", 100}, {"a ", 0}, {"<i>", 1}, {"b", 0}, {"</i> c", 0}, {"tail", 100}});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(Body(t), (std::vector<std::string>{kEmptyP, P("a <i>b</i> c")}));
}

TEST(ParagraphTags, WrapCollapsesSpacesAndHonoursTheSettings) {
    Settings s;
    EXPECT_EQ(WrapParagraph(s, "   a   b  "), kDiv + "a b </div>");
    s.ParagraphStartTag = "<p>";
    s.ParagraphEndTag = "</p>";
    s.NumberOfNbsp = 0;
    EXPECT_EQ(WrapParagraph(s, "x"), "<p>x</p>");
    s.NumberOfNbsp = -3;
    EXPECT_EQ(EmptyParagraph(s), "<p></p>");
}

}  // namespace
}  // namespace pm
