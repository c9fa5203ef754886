#include <gtest/gtest.h>

#include <random>

#include "HyphTestUtil.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::Soft;
using test::W;

TEST(SoftHyphen, ShortWordsStayWhole) {
    for (const char* w : {"", "a", "abcdef", "xxxxxx", "aaaaaa", "сестра", "ъъъъъъ", "стрdeparture"}) {
        const std::string in = W(w).substr(0, 6);
        EXPECT_EQ(SoftHyphenate(in), in) << w;
    }
    EXPECT_EQ(SoftHyphenate("xxxxxxx"), "xxx&shy;xxxx");  // seven letters: one break
}

TEST(SoftHyphen, AtLeastThreeBeforeAndFourAfterEveryBreak) {
    std::mt19937 rng(12345);
    const std::string letters = W("абвгдежзийклмнопрстуфхцчшщъыьэюяaeioubcdfgst-'1");
    for (int n = 0; n < 2000; ++n) {
        std::string word;
        const size_t len = 7 + rng() % 12;
        for (size_t i = 0; i < len; ++i) word.push_back(letters[rng() % letters.size()]);
        const std::string out = SoftHyphenate(word);
        EXPECT_EQ(text::ReplaceAll(out, kSoftHyphen, ""), word);
        size_t from = 0, pos;
        while ((pos = out.find(kSoftHyphen, from)) != std::string::npos) {
            const std::string before = text::ReplaceAll(out.substr(0, pos), kSoftHyphen, "");
            const std::string after = text::ReplaceAll(out.substr(pos + kSoftHyphen.size()), kSoftHyphen, "");
            EXPECT_GE(before.size(), 3u) << out;
            EXPECT_GE(after.size(), 4u) << out;
            EXPECT_TRUE(IsPermissibleBreak(word, before.size())) << out;
            from = pos + 1;
        }
    }
}

TEST(SoftHyphen, DoubledConsonantSplitBetweenTheTwo) {
    EXPECT_EQ(SoftHyphenate(W("классный")), Soft("клас-сный"));
    EXPECT_EQ(SoftHyphenate(W("грамматика")), Soft("грам-ма-тика"));
    EXPECT_EQ(SoftHyphenate(W("беззаботный")), Soft("без-за-ботный"));
}

TEST(SoftHyphen, InnerDigitsAndSignsAreNotRefused) {
    EXPECT_EQ(SoftHyphenate("xxxx1xxxxx"), "xxx&shy;x1x&shy;xxxx");
}

TEST(SoftHyphen, SeparatorsCutRuns) {
    // "information" and "communication" are words of their own between the
    // separators; the separators are copied as they are.
    EXPECT_EQ(SoftHyphenate("information,communication!\tinformation?"),
              "infor&shy;ma&shy;tion,com&shy;mu&shy;ni&shy;ca&shy;tion!\tinfor&shy;ma&shy;tion?");
    EXPECT_EQ(SoftHyphenate("a/information=b"), "a/infor&shy;ma&shy;tion=b");
    EXPECT_EQ(SoftHyphenate("  "), "  ");
}

TEST(SoftHyphen, TagsAndEntityNamesStayWhole) {
    // Attribute values are inside the tag: they are never cut into words.
    const std::string img = "<img src=\"illustration.png\" alt=\"photograph\">";
    EXPECT_EQ(SoftHyphenate(img), img);
    const std::string link = "<a href=\"http://example.org/documentation/introduction.html\">";
    EXPECT_EQ(SoftHyphenate(link), link);
    // A word touching a tag is one run with it, and is left alone.
    EXPECT_EQ(SoftHyphenate("<i>information</i>"), "<i>information</i>");
    EXPECT_EQ(SoftHyphenate("information <br> information"),
              "infor&shy;ma&shy;tion <br> infor&shy;ma&shy;tion");
    // Entity names, however long.
    EXPECT_EQ(SoftHyphenate("&thetasym;&thetasym;"), "&thetasym;&thetasym;");
    EXPECT_EQ(SoftHyphenate("information&nbsp;information"),
              "infor&shy;ma&shy;tion&nbsp;infor&shy;ma&shy;tion");
    // A bare "&" before a word ends no entity: the word is still treated.
    EXPECT_EQ(SoftHyphenate("x&information y"), "x&infor&shy;ma&shy;tion y");
    // A stray ">" keeps its run untreated; a "<" without ">" as well.
    EXPECT_EQ(SoftHyphenate("information> x"), "information> x");
    EXPECT_EQ(SoftHyphenate("a <information"), "a <information");
}

// Checked by hand: every break below is one a reader accepts.
TEST(SoftHyphen, RealRussianWords) {
    for (const char* marked :
         {"клас-сный", "грам-ма-тика", "без-за-ботный", "объ-яв-ление", "разъ-яс-нение", "пись-менный",
          "учи-тель-ница", "биб-ли-отека", "уни-вер-ситет", "путе-шес-твие", "пере-ворот", "сол-нечный",
          "ска-мейка", "геро-ический", "инте-ресный", "пяти-этажный", "сегод-няшний", "авто-мо-биль",
          "моро-женое", "прог-рамма", "пред-ло-жение", "хозяй-ство", "сто-ро-жевой", "боль-шевик",
          "обя-за-тель-ность", "кон-фе-ренция", "теле-визор", "госу-дар-ство", "маленький", "подъезд"}) {
        const std::string word = text::ReplaceAll(W(marked), "-", "");
        EXPECT_EQ(SoftHyphenate(word), Soft(marked)) << marked;
    }
}

TEST(SoftHyphen, RealEnglishWords) {
    for (const char* marked :
         {"hun-dred", "chil-dren", "impor-tant", "expen-sive", "sen-tence", "per-fect", "mon-ster",
          "fan-tastic", "com-puter", "infor-ma-tion", "dif-fi-cult", "moun-tain", "lan-tern", "pat-tern",
          "yes-terday", "won-derful", "alter-na-tive", "remember", "number", "window"}) {
        const std::string word = text::ReplaceAll(marked, "-", "");
        EXPECT_EQ(SoftHyphenate(word), Soft(marked)) << marked;
    }
}

TEST(SoftHyphen, Paragraph) {
    EXPECT_EQ(SoftHyphenate(W("Маленький мальчик читал интересный журнал.")),
              Soft("Маленький мальчик читал инте-ресный журнал."));
}

}  // namespace
}  // namespace pm::hyph
