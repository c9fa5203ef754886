#include <gtest/gtest.h>

#include "HyphTestUtil.h"
#include "hyphen/CharClasses.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::W;

TEST(CharClasses, LettersSignsAndMarks) {
    EXPECT_EQ(ClassOf('Y'), CharClass::Consonant);  // Latin Y is a consonant
    EXPECT_EQ(ClassOf('j'), CharClass::Vowel);      // and J a vowel
    const std::string cyr = W("йЙёЁыЩъЬ");
    const CharClass want[] = {CharClass::Consonant, CharClass::Consonant, CharClass::Vowel, CharClass::Vowel,
                              CharClass::Vowel,     CharClass::Consonant, CharClass::Sign,  CharClass::Sign};
    for (size_t i = 0; i < cyr.size(); ++i) EXPECT_EQ(ClassOf(cyr[i]), want[i]) << i;
    EXPECT_EQ(ClassOf('-'), CharClass::BreakMark);
    EXPECT_EQ(ClassOf(183), CharClass::BreakMark);
    // A digit, apostrophe, ampersand, space, NUL, the en dash, a guillemet, the no-break space.
    for (int c : {48, 39, 38, 32, 0, 150, 171, 160}) EXPECT_EQ(ClassOf(c), CharClass::Other) << c;
    for (int c = 0xC0; c <= 0xFF; ++c) EXPECT_NE(ClassOf(c), CharClass::Other) << c;
}

TEST(PermissibleBreak, RulesAndLimits) {
    EXPECT_TRUE(IsPermissibleBreak("xantrxx", 3));           // vowel consonant | consonant
    EXPECT_TRUE(IsPermissibleBreak("potatoes", 4));          // consonant vowel | consonant vowel
    EXPECT_FALSE(IsPermissibleBreak("tomatrxx", 4));         // ... not before two consonants
    EXPECT_FALSE(IsPermissibleBreak("xaxaxaxa", 3));         // vowel consonant | vowel
    EXPECT_TRUE(IsPermissibleBreak(W("героический"), 4));    // consonant vowel | vowel consonant
    EXPECT_TRUE(IsPermissibleBreak(W("объявление"), 3));     // after a sign
    EXPECT_FALSE(IsPermissibleBreak(W("подъ-ёмник"), 4));    // ... unless a break mark follows
    EXPECT_FALSE(IsPermissibleBreak(W("подъезд"), 3));       // never before a sign
    EXPECT_FALSE(IsPermissibleBreak("ab12345", 3));          // digits take part in no rule
    // Three characters stay before a break, four go after it.
    EXPECT_FALSE(IsPermissibleBreak("xxxxxxx", 2));
    EXPECT_TRUE(IsPermissibleBreak("xxxxxxx", 3));
    EXPECT_FALSE(IsPermissibleBreak("xxxxxxx", 4));
    EXPECT_FALSE(IsPermissibleBreak("", 0));
}

TEST(FindBreak, RightmostWithinLimit) {
    EXPECT_EQ(FindBreak("information", 11), 0u);  // the word fits
    EXPECT_EQ(FindBreak("information", 10), 7u);  // lowered to length - 4: "informa|tion"
    EXPECT_EQ(FindBreak("information", 6), 5u);   // "infor|mation"
    EXPECT_EQ(FindBreak("information", 4), 0u);
    EXPECT_EQ(FindBreak("abc", 1), 0u);
    EXPECT_EQ(FindBreak("", 0), 0u);
}

TEST(FindBreak, RefusesInnerDigitsAndSigns) {
    EXPECT_EQ(FindBreak("in4formation", 8), 0u);    // digit at position 3
    EXPECT_EQ(FindBreak("infor'mation", 8), 0u);    // apostrophe at 6 < 8
    EXPECT_EQ(FindBreak("4information", 8), 8u);    // up to two leading signs are allowed
    EXPECT_EQ(FindBreak("\"(information", 8), 7u);
    EXPECT_EQ(FindBreak("information2000", 6), 5u);  // a sign past the searched range
    EXPECT_EQ(FindBreak(W("«программа»"), 6), 5u);   // "«прог|рамма»"
}

}  // namespace
}  // namespace pm::hyph
