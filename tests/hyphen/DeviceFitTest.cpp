#include <gtest/gtest.h>

#include "HyphTestUtil.h"
#include "hyphen/CharClasses.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::MonoFont;
using test::W;

std::string Fit(std::string_view text, const FontTable& font, std::string_view hyphen = "-") {
    return DeviceFit(text, DeviceLine{font, hyphen});
}

TEST(EntityStandIn, NamedSignsAndTheRest) {
    EXPECT_EQ(EntityStandIn("&quot"), '"');
    EXPECT_EQ(EntityStandIn("&QUOT"), '"');
    EXPECT_EQ(EntityStandIn("&nbsp"), ' ');
    EXPECT_EQ(EntityStandIn("&micro"), 'i');
    EXPECT_EQ(EntityStandIn("&laquo"), 171);
    EXPECT_EQ(EntityStandIn("&para"), 182);
    EXPECT_EQ(EntityStandIn("&macr"), 151);
    for (const char* other : {"&pound", "&shy", "&frac12", "&raquo", "&#1234", "&", "&nbspx"})
        EXPECT_EQ(EntityStandIn(other), '?') << other;
}

TEST(DeviceFit, ShortParagraphUnchanged) {
    const FontTable font;  // built-in widths, line width 312
    const std::string text = W("Короткий абзац, который умещается в строке.");
    EXPECT_EQ(Fit(text, font), text);
    EXPECT_EQ(Fit("", font), "");
}

TEST(DeviceFit, HyphenAtBestBreakOfTheOverflowingWord) {
    const FontTable font = MonoFont(10);
    EXPECT_EQ(Fit("ab information", font), "ab infor-mation");
    EXPECT_EQ(Fit("ab information", font, "&shy;"), "ab infor&shy;mation");
    // The overflow lands after a space: the line just breaks there, and the
    // word, longer than a line, is hyphenated on the next one.
    EXPECT_EQ(Fit("abcdefghi information", font), "abcdefghi informa-tion");
    // The overflowing character is a space: the next line starts after it.
    EXPECT_EQ(Fit("abcdefghij information", font), "abcdefghij informa-tion");
    // A word whose only breaks lie past the room left moves on whole.
    EXPECT_EQ(Fit("abcdef important", font), "abcdef important");
}

TEST(DeviceFit, InnerDigitRefusesTheBreak) {
    const FontTable font = MonoFont(10);
    EXPECT_EQ(Fit("ab in4formation", font), "ab in4formation");
}

TEST(DeviceFit, EntitiesCountAsOneCharacter) {
    const FontTable font = MonoFont(10);
    // Two "&nbsp;" are two units wide, so "informa" still fits the line.
    EXPECT_EQ(Fit("&nbsp;&nbsp;information", font), "&nbsp;&nbsp;informa-tion");
    // An entity measures as its stand-in: here a wide "&quot;".
    FontTable wide = MonoFont(12);
    wide.widths['"'] = 5;
    EXPECT_EQ(Fit("&quot; information", wide), "&quot; infor-mation");
    EXPECT_EQ(Fit("&laquo; information", wide), "&laquo; informa-tion");
}

TEST(DeviceFit, CompoundBreaksAfterItsOwnHyphen) {
    const FontTable font = MonoFont(12);
    EXPECT_EQ(Fit("ab sea-information", font), "ab sea- information");
    // Its hyphen does not fit: the compound moves to the next line whole.
    EXPECT_EQ(Fit("ab informationxx-sea", font), "ab informationxx-sea");
}

TEST(DeviceFit, OverLongWordMovesOnceThenBreaks) {
    const FontTable font = MonoFont(10);
    // "1234567890123" has no break: it moves to line 2, fills it, and its end
    // starts line 3, where "information" is hyphenated.
    EXPECT_EQ(Fit("ab 1234567890123 information", font), "ab 1234567890123 infor-mation");
}

TEST(DeviceFit, LongWordGetsAHyphenOnEveryLine) {
    const FontTable font = MonoFont(10);
    const std::string word = "informationinformationinformation";
    const std::string out = Fit("ab " + word, font);
    EXPECT_EQ(text::ReplaceAll(out, "-", ""), "ab " + word);
    EXPECT_GE(std::count(out.begin(), out.end(), '-'), 3);
}

// The pass must end whatever the text: every step starts the next line
// further on.
TEST(DeviceFit, EndsOnWordsLongerThanALine) {
    const FontTable font = MonoFont(10);
    // A word holding an entity is never hyphenated.
    const std::string amp = "ab informationinformation&amp; end";
    EXPECT_EQ(Fit(amp, font), amp);
    // A compound whose hyphen never fits the room.
    EXPECT_EQ(Fit("ab xxxxxxxxxxxxxxxxxxxxx-yy", font), "ab xxxxxxxxxxxxxxxxxxxxx-yy");
    // A hyphen string that is itself an entity, on a word three lines long.
    const std::string soft = Fit("ab informationinformationinformation", font, "&shy;");
    EXPECT_EQ(text::ReplaceAll(soft, "&shy;", ""), "ab informationinformationinformation");
    EXPECT_NE(soft.find("&shy;"), std::string::npos);
    // An entity without its ";" at the end of the text.
    EXPECT_EQ(Fit("123456789012 &nbsp", font), "123456789012 &nbsp");
}

TEST(DeviceFit, EndsWithDegenerateLineWidths) {
    const std::string text = "ab information sea-information 1234567890123456";
    for (int width : {0, -5, 1, 2}) {
        const FontTable font = MonoFont(width);
        EXPECT_EQ(text::ReplaceAll(Fit(text, font), " ", ""), text::ReplaceAll(text, " ", "")) << width;
    }
}

TEST(DeviceFit, VeryWideLinesBehaveLikeNarrowOnes) {
    // A wide line sums to thousands of units: the layout must be the same
    // as the same text on a line a hundred times narrower.
    std::string text;
    for (int i = 0; i < 20; ++i) text += "the information of communication ";
    FontTable wide = MonoFont(4700);
    wide.widths.fill(100);
    EXPECT_EQ(Fit(text, wide), Fit(text, MonoFont(47)));
    EXPECT_NE(Fit(text, wide), text);
}

// On a real font every inserted hyphen sits at a permissible break of its
// word and nothing else changes.
TEST(DeviceFit, RussianTextOnTheBuiltInFont) {
    const FontTable font;
    const std::string text =
        W("Ранним утром путешественники отправились через перевал, преодолевая "
          "многочисленные препятствия и неожиданные трудности, которые встречались "
          "им на каждом шагу этого продолжительного и утомительного путешествия.");
    const std::string out = Fit(text, font);
    EXPECT_EQ(text::ReplaceAll(out, "-", ""), text);
    int hyphens = 0;
    for (size_t pos = out.find('-'); pos != std::string::npos; pos = out.find('-', pos + 1)) {
        ++hyphens;
        const size_t start = out.rfind(' ', pos) + 1;
        const size_t end = out.find(' ', pos);  // trailing marks belong to the word
        const std::string word = text::ReplaceAll(out.substr(start, end - start), "-", "");
        EXPECT_TRUE(IsPermissibleBreak(word, pos - start)) << cp1251::ToUtf8(word);
    }
    EXPECT_GT(hyphens, 0);
}

}  // namespace
}  // namespace pm::hyph
