#include <gtest/gtest.h>

#include "HyphTestUtil.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::MonoFont;
using test::W;

std::string Fit(std::string_view text, const FontTable& font, std::string_view hyphen = "-") {
    return DeviceFit(text, DeviceLine{font, hyphen});
}

TEST(EntityStandIn, NamedSignsAndTheRest) {
    EXPECT_EQ(EntityStandIn("&QUOT"), '"');
    EXPECT_EQ(EntityStandIn("&nbsp"), ' ');
    EXPECT_EQ(EntityStandIn("&micro"), 'i');
    EXPECT_EQ(EntityStandIn("&laquo"), 171);
    EXPECT_EQ(EntityStandIn("&macr"), 151);
    for (const char* other : {"&pound", "&shy", "&raquo", "&#1234", "&", "&nbspx"})
        EXPECT_EQ(EntityStandIn(other), '?') << other;
}

TEST(DeviceFit, Layout) {
    const std::string shortText = W("Короткий абзац, который умещается в строке.");
    EXPECT_EQ(Fit(shortText, FontTable()), shortText);
    const FontTable font = MonoFont(10);
    EXPECT_EQ(Fit("ab information", font), "ab infor-mation");
    EXPECT_EQ(Fit("ab information", font, "&shy;"), "ab infor&shy;mation");
    // The line breaks after a space, or at an overflowing space; the next
    // word, longer than a line, is hyphenated there.
    EXPECT_EQ(Fit("abcdefghi information", font), "abcdefghi informa-tion");
    EXPECT_EQ(Fit("abcdefghij information", font), "abcdefghij informa-tion");
    // No break within the room left: the word moves on whole.
    EXPECT_EQ(Fit("abcdef important", font), "abcdef important");
    EXPECT_EQ(Fit("ab in4formation", font), "ab in4formation");  // inner digit
    // Entities count as one character of their stand-in's width.
    EXPECT_EQ(Fit("&nbsp;&nbsp;information", font), "&nbsp;&nbsp;informa-tion");
    FontTable wide = MonoFont(12);
    wide.widths['"'] = 5;
    EXPECT_EQ(Fit("&quot; information", wide), "&quot; infor-mation");
    EXPECT_EQ(Fit("&laquo; information", wide), "&laquo; informa-tion");
}

TEST(DeviceFit, CompoundsAndOverLongWords) {
    // A compound breaks after its own hyphen, or moves on when that does not fit.
    EXPECT_EQ(Fit("ab sea-information", MonoFont(12)), "ab sea- information");
    EXPECT_EQ(Fit("ab informationxx-sea", MonoFont(12)), "ab informationxx-sea");
    // The first word of the text is measured from the text start.
    EXPECT_EQ(Fit("information ab", MonoFont(10)), "informa-tion ab");
    // A word with no break moves to line 2 once, fills it, and its end
    // starts line 3, where "information" is hyphenated.
    EXPECT_EQ(Fit("ab 1234567890123 information", MonoFont(10)), "ab 1234567890123 infor-mation");
    // A word three lines long gets a hyphen on each.
    const std::string out = Fit("ab informationinformationinformation", MonoFont(10));
    EXPECT_EQ(text::ReplaceAll(out, "-", ""), "ab informationinformationinformation");
    EXPECT_GE(std::count(out.begin(), out.end(), '-'), 3);
}

// Every step starts the next line further on, so the pass always ends.
TEST(DeviceFit, EndsOnAnyText) {
    const FontTable font = MonoFont(10);
    const std::string amp = "ab informationinformation&amp; end";  // a long word holding an entity
    EXPECT_EQ(Fit(amp, font), amp);
    EXPECT_EQ(Fit("ab xxxxxxxxxxxxxxxxxxxxx-yy", font), "ab xxxxxxxxxxxxxxxxxxxxx-yy");  // hyphen never fits
    const std::string soft = Fit("ab informationinformationinformation", font, "&shy;");
    EXPECT_EQ(text::ReplaceAll(soft, "&shy;", ""), "ab informationinformationinformation");
    EXPECT_EQ(Fit("123456789012 &nbsp", font), "123456789012 &nbsp");  // entity without ";"
    const std::string text = "ab information sea-information 1234567890123456";
    for (int width : {0, -5, 1, 2})
        EXPECT_EQ(text::ReplaceAll(Fit(text, MonoFont(width)), " ", ""), text::ReplaceAll(text, " ", ""));
    // A line thousands of units wide lays out as one a hundred times narrower.
    std::string many;
    for (int i = 0; i < 20; ++i) many += "the information of communication ";
    FontTable huge = MonoFont(4700);
    huge.widths.fill(100);
    EXPECT_EQ(Fit(many, huge), Fit(many, MonoFont(47)));
    EXPECT_NE(Fit(many, huge), many);
}

// On the built-in font every inserted hyphen sits at a permissible break of
// its word and nothing else changes.
TEST(DeviceFit, RussianTextOnTheBuiltInFont) {
    const std::string text =
        W("Ранним утром путешественники отправились через перевал, преодолевая "
          "многочисленные препятствия и неожиданные трудности, которые встречались "
          "им на каждом шагу этого продолжительного и утомительного путешествия.");
    const std::string out = Fit(text, FontTable());
    EXPECT_EQ(text::ReplaceAll(out, "-", ""), text);
    int hyphens = 0;
    for (size_t pos = out.find('-'); pos != std::string::npos; pos = out.find('-', pos + 1), ++hyphens) {
        const size_t start = out.rfind(' ', pos) + 1;
        const std::string word = text::ReplaceAll(out.substr(start, out.find(' ', pos) - start), "-", "");
        EXPECT_TRUE(IsPermissibleBreak(word, pos - start)) << cp1251::ToUtf8(word);
    }
    EXPECT_GT(hyphens, 0);
}

}  // namespace
}  // namespace pm::hyph
