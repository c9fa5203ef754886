#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "pipeline/TextFormat.h"

namespace pm {
namespace {

// A text whose scored sample is exactly these lines: 1999 filler characters,
// a line the sample start cuts, the lines, a line the sample end cuts.
int Detect(const std::vector<std::string>& lines) {
    std::string t(1999, 'f');
    t += "cut\r\n";
    for (const std::string& l : lines) t += l + "\r\n";
    return DetectTextFormatPreset(t + "last line\r\nzz");
}

TEST(DetectTextFormat, ShortTextsAndShortSamplesAreFixedWidth) {
    std::string html;
    while (html.size() < 1990) html += "<p>para</p>\n";
    EXPECT_EQ(DetectTextFormatPreset(html), kPresetFixedWidth);
    EXPECT_EQ(Detect({"<p>a", "<p>b", "<br>"}), kPresetFixedWidth);  // four lines are too few
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
    // 2 / 1.3 rounds up to 2 and 3 / 1.3 down to 2: a draw with HTML 2 either way.
    EXPECT_EQ(Detect({" x", " y", "<br>", "<p>", "z"}), kPresetLinePerParagraph);
    EXPECT_EQ(Detect({" x", " y", "", "<br>", "<div>"}), kPresetLinePerParagraph);
    EXPECT_EQ(Detect({" x", " y", "", std::string(76, 'q'), "<br>", "<DIV>"}), kPresetFixedWidth);
    // A line of 80 is a fixed-width sign, not a long line.
    const std::string l80(80, 'a'), l81(81, 'b');
    EXPECT_EQ(Detect({l80, l80, l81, "<p>", "w"}), kPresetFixedWidth);
    EXPECT_EQ(Detect({l80, l80, l81, l81, "<p>"}), kPresetLinePerParagraph);
}

struct RecordingObserver : SettingsObserver {
    std::vector<std::string> names;
    void OptionChanged(std::string_view name) override { names.emplace_back(name); }
};

TEST(ApplyTextFormat, PresetsGoThroughTheSettersSoTheOptionsPanelSeesThem) {
    Settings s;
    RecordingObserver seen;
    s.observer = &seen;
    ApplyTextFormatPreset(s, kPresetHtml);
    EXPECT_EQ(s.LongStringsMin, 2147483647);
    EXPECT_EQ(s.ShortStringsMax, 0);
    EXPECT_FALSE(s.SpacesAtStartToDiv || s.DialogsToDiv || s.EmptyLineToDiv);
    EXPECT_EQ(seen.names, (std::vector<std::string>{"Londg strings min", "Short strings max",
                                                     "Spasces at start to div", "Dialogs to div",
                                                     "Empty line ti div"}));
    ApplyTextFormatPreset(s, kPresetLinePerParagraph);
    EXPECT_EQ(s.LongStringsMin, 80);
    EXPECT_EQ(s.ShortStringsMax, 81);
    EXPECT_TRUE(s.SpacesAtStartToDiv && s.DialogsToDiv && s.EmptyLineToDiv);
}

}  // namespace
}  // namespace pm
