#include <gtest/gtest.h>

#include "HyphTestUtil.h"
#include "hyphen/CharClasses.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::W;

TEST(CharClasses, LettersOfBothAlphabets) {
    EXPECT_EQ(ClassOf('Y'), CharClass::Consonant);  // Latin Y is a consonant
    EXPECT_EQ(ClassOf('j'), CharClass::Vowel);      // and J a vowel
    EXPECT_EQ(ClassOf(W("й")[0]), CharClass::Consonant);
    EXPECT_EQ(ClassOf(W("Й")[0]), CharClass::Consonant);
    EXPECT_EQ(ClassOf(W("ё")[0]), CharClass::Vowel);
    EXPECT_EQ(ClassOf(W("Ё")[0]), CharClass::Vowel);
    EXPECT_EQ(ClassOf(W("ы")[0]), CharClass::Vowel);
    EXPECT_EQ(ClassOf(W("Щ")[0]), CharClass::Consonant);
    for (const char* s : {"ъ", "ь", "Ъ", "Ь"}) EXPECT_EQ(ClassOf(W(s)[0]), CharClass::Sign) << s;
    EXPECT_EQ(ClassOf('-'), CharClass::BreakMark);
    EXPECT_EQ(ClassOf(183), CharClass::BreakMark);
    for (char c : {'0', '9', ' ', '\'', '&', '\t', '\0'})
        EXPECT_EQ(ClassOf(static_cast<unsigned char>(c)), CharClass::Other) << c;
    for (int c : {150, 171, 187, 160})  // dash, guillemets, no-break space
        EXPECT_EQ(ClassOf(static_cast<unsigned char>(c)), CharClass::Other) << c;
}

TEST(CharClasses, EveryCyrillicLetterIsClassified) {
    for (int c = 0xC0; c <= 0xFF; ++c)
        EXPECT_NE(ClassOf(static_cast<unsigned char>(c)), CharClass::Other) << c;
    for (int c = 'a'; c <= 'z'; ++c) EXPECT_NE(ClassOf(static_cast<unsigned char>(c)), CharClass::Other);
}

TEST(PermissibleBreak, EachRule) {
    // Vowel consonant | consonant (and any consonant pair).
    EXPECT_TRUE(IsPermissibleBreak("xantrxx", 3));  // "xan|trxx"
    // Consonant vowel | consonant vowel, but not before a consonant pair.
    EXPECT_TRUE(IsPermissibleBreak("potatoes", 4));  // "pota|toes"
    EXPECT_FALSE(IsPermissibleBreak("tomatrxx", 4));
    EXPECT_FALSE(IsPermissibleBreak("xaxaxaxa", 3));  // vowel consonant | vowel
    EXPECT_TRUE(IsPermissibleBreak("xaxaxaxa", 4));
    // Consonant vowel | vowel consonant, and any vowel pair.
    EXPECT_TRUE(IsPermissibleBreak(W("героический"), 4));  // "геро|ический"
    EXPECT_TRUE(IsPermissibleBreak("aaaaaaa", 3));
    // After a hard or soft sign, unless a break mark follows.
    EXPECT_TRUE(IsPermissibleBreak(W("объявление"), 3));
    EXPECT_FALSE(IsPermissibleBreak(W("подъ-ёмник"), 4));
    // Never before a sign.
    EXPECT_FALSE(IsPermissibleBreak(W("маленький"), 5));
    EXPECT_FALSE(IsPermissibleBreak(W("подъезд"), 3));
    // Digits and other signs take part in no rule.
    EXPECT_FALSE(IsPermissibleBreak("ab12345", 3));
}

TEST(PermissibleBreak, KeepsThreeBeforeAndFourAfter) {
    const std::string w = "xxxxxxx";  // every pair is a consonant pair
    EXPECT_FALSE(IsPermissibleBreak(w, 2));
    EXPECT_TRUE(IsPermissibleBreak(w, 3));
    EXPECT_FALSE(IsPermissibleBreak(w, 4));  // only three would follow
    EXPECT_FALSE(IsPermissibleBreak("xxxxxx", 3));
    EXPECT_FALSE(IsPermissibleBreak("", 0));
}

TEST(FindBreak, RightmostWithinLimit) {
    EXPECT_EQ(FindBreak("information", 100), 0u);  // the word fits
    EXPECT_EQ(FindBreak("information", 11), 0u);
    EXPECT_EQ(FindBreak("information", 10), 7u);   // lowered to length - 4
    EXPECT_EQ(FindBreak("information", 6), 5u);    // "infor|mation"
    EXPECT_EQ(FindBreak("information", 4), 0u);    // "inf|o" and "info|r" are not breaks
    EXPECT_EQ(FindBreak("information", 2), 0u);
    EXPECT_EQ(FindBreak("abc", 1), 0u);
    EXPECT_EQ(FindBreak("", 0), 0u);
}

TEST(FindBreak, RefusesInnerDigitsAndSigns) {
    EXPECT_EQ(FindBreak("in4formation", 8), 0u);    // digit at position 3
    EXPECT_EQ(FindBreak("infor'mation", 8), 0u);    // apostrophe at 6 < 8
    EXPECT_EQ(FindBreak("4information", 8), 8u);    // one leading sign is allowed
    EXPECT_EQ(FindBreak("\"(information", 8), 7u);  // so are two
    // A sign past the searched range does not matter.
    EXPECT_EQ(FindBreak("information2000", 6), 5u);
    const std::string guillemet = W("«программа»");
    EXPECT_EQ(FindBreak(guillemet, 6), 5u);  // "«прог|рамма»"
}

}  // namespace
}  // namespace pm::hyph
