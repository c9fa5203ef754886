#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "pipeline/TextFormat.h"

namespace pm {
namespace {

// A text whose scored sample is exactly these lines: 1999 filler characters,
// a line the sample start cuts, the lines, a line the sample end cuts.
std::string WithSample(const std::vector<std::string>& lines) {
    std::string t(1999, 'f');
    t += "cut\r\n";
    for (const std::string& l : lines) t += l + "\r\n";
    t += "last line\r\nzz";
    return t;
}

TEST(DetectTextFormat, ShortTextsAreFixedWidth) {
    EXPECT_EQ(DetectTextFormatPreset(std::string(1999, 'x')), kPresetFixedWidth);
    std::string html;
    while (html.size() < 1990) html += "<p>para</p>\n";
    EXPECT_EQ(DetectTextFormatPreset(html), kPresetFixedWidth);
    // Four lines after the first is dropped are too few to judge.
    EXPECT_EQ(DetectTextFormatPreset(WithSample({"<p>a", "<p>b", "<br>"})), kPresetFixedWidth);
}

TEST(DetectTextFormat, SamplesOfEachKind) {
    std::string fixed, html, lines;
    for (int i = 0; i < 300; ++i) {
        fixed += "  " + std::string(74, 'a') + "\r\n";
        html += "<P>Some paragraph text</P><BR>\r\n";
        lines += std::string(200, 'b') + ".\r\n";
    }
    EXPECT_EQ(DetectTextFormatPreset(fixed), kPresetFixedWidth);
    EXPECT_EQ(DetectTextFormatPreset(html), kPresetHtml);
    EXPECT_EQ(DetectTextFormatPreset(lines), kPresetLinePerParagraph);
}

TEST(DetectTextFormat, FixedScoreIsDividedAndRounded) {
    // Fixed 2 -> 1.54 -> 2, against HTML 2: neither wins.
    EXPECT_EQ(DetectTextFormatPreset(WithSample({" x", " y", "<br>", "<p>", "z"})), kPresetLinePerParagraph);
    // Fixed 3 -> 2.31 -> 2, against HTML 2: still neither.
    EXPECT_EQ(DetectTextFormatPreset(WithSample({" x", " y", "", "<br>", "<div>"})), kPresetLinePerParagraph);
    // Fixed 4 -> 3.08 -> 3 beats HTML 2.
    EXPECT_EQ(DetectTextFormatPreset(WithSample({" x", " y", "", std::string(76, 'q'), "<br>", "<DIV>"})),
              kPresetFixedWidth);
    // A line of 80 is a fixed-width sign, not a long line; long lines that
    // are as many as the fixed signs keep the text from being fixed width.
    EXPECT_EQ(DetectTextFormatPreset(WithSample({std::string(80, 'a'), std::string(80, 'a'), std::string(81, 'b'),
                                                 "<p>", "w"})),
              kPresetFixedWidth);
    EXPECT_EQ(DetectTextFormatPreset(WithSample({std::string(80, 'a'), std::string(80, 'a'), std::string(81, 'b'),
                                                 std::string(81, 'b'), "<p>"})),
              kPresetLinePerParagraph);
}

TEST(TextFormatPresets, EachSetsItsFiveSettings) {
    Settings s;
    ApplyTextFormatPreset(s, kPresetFixedWidth);
    EXPECT_EQ(s.LongStringsMin, 81);
    EXPECT_EQ(s.ShortStringsMax, 0);
    ApplyTextFormatPreset(s, kPresetHtml);
    EXPECT_EQ(s.LongStringsMin, INT32_MAX);
    EXPECT_EQ(s.ShortStringsMax, 0);
    EXPECT_FALSE(s.SpacesAtStartToDiv || s.DialogsToDiv || s.EmptyLineToDiv);
    ApplyTextFormatPreset(s, kPresetLinePerParagraph);
    EXPECT_EQ(s.LongStringsMin, 80);
    EXPECT_EQ(s.ShortStringsMax, 81);
    EXPECT_TRUE(s.SpacesAtStartToDiv && s.DialogsToDiv && s.EmptyLineToDiv);
    ApplyTextFormatPreset(s, 7);  // unknown: nothing changes
    EXPECT_EQ(s.ShortStringsMax, 81);
}

}  // namespace
}  // namespace pm
