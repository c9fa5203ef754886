#include <gtest/gtest.h>

#include <random>

#include "HyphTestUtil.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

using test::Soft;
using test::W;

TEST(SoftHyphen, LengthLimits) {
    for (const char* w : {"", "abcdef", "xxxxxx", "сестра", "ъъъъъъ"}) EXPECT_EQ(SoftHyphenate(W(w)), W(w)) << w;
    EXPECT_EQ(SoftHyphenate("xxxxxxx"), "xxx&shy;xxxx");
    EXPECT_EQ(SoftHyphenate("xxxx1xxxxx"), "xxx&shy;x1x&shy;xxxx");  // inner digits are not refused here
    // Random words: at least 3 characters before and 4 after every soft
    // hyphen, each at a permissible break, nothing else changed.
    std::mt19937 rng(12345);
    const std::string letters = W("абвгдежзийклмнопрстуфхцчшщъыьэюяaeioubcdfgst-'1");
    for (int n = 0; n < 2000; ++n) {
        std::string word;
        for (size_t i = 0, len = 7 + rng() % 12; i < len; ++i) word.push_back(letters[rng() % letters.size()]);
        const std::string out = SoftHyphenate(word);
        EXPECT_EQ(text::ReplaceAll(out, kSoftHyphen, ""), word);
        for (size_t pos = out.find(kSoftHyphen); pos != std::string::npos; pos = out.find(kSoftHyphen, pos + 1)) {
            const size_t before = text::ReplaceAll(out.substr(0, pos), kSoftHyphen, "").size();
            EXPECT_GE(before, 3u) << out;
            EXPECT_LE(before + 4, word.size()) << out;
            EXPECT_TRUE(IsPermissibleBreak(word, before)) << out;
        }
    }
}

// Checked by hand: every break below is one a reader accepts.
TEST(SoftHyphen, RealWords) {
    for (const char* marked :
         {"клас-сный", "грам-ма-тика", "без-за-ботный", "объ-яв-ление", "разъ-яс-нение", "пись-менный",
          "учи-тель-ница", "биб-ли-отека", "уни-вер-ситет", "путе-шес-твие", "пере-ворот", "сол-нечный",
          "ска-мейка", "геро-ический", "инте-ресный", "пяти-этажный", "сегод-няшний", "авто-мо-биль",
          "моро-женое", "прог-рамма", "пред-ло-жение", "хозяй-ство", "сто-ро-жевой", "боль-шевик",
          "обя-за-тель-ность", "кон-фе-ренция", "теле-визор", "госу-дар-ство", "маленький", "подъезд",
          "hun-dred", "chil-dren", "impor-tant", "expen-sive", "sen-tence", "per-fect", "mon-ster",
          "fan-tastic", "com-puter", "infor-ma-tion", "dif-fi-cult", "moun-tain", "lan-tern", "pat-tern",
          "yes-terday", "won-derful", "alter-na-tive", "remember", "number", "window"}) {
        const std::string word = text::ReplaceAll(W(marked), "-", "");
        EXPECT_EQ(SoftHyphenate(word), Soft(marked)) << marked;
    }
}

TEST(SoftHyphen, SeparatorsTagsAndEntities) {
    EXPECT_EQ(SoftHyphenate("information,communication!\ta/information="),
              "infor&shy;ma&shy;tion,com&shy;mu&shy;ni&shy;ca&shy;tion!\ta/infor&shy;ma&shy;tion=");
    // Attribute values are inside their tag and are never cut into words.
    for (const char* tag : {"<img src=\"illustration.png\" alt=\"photograph\">",
                            "<a href=\"http://example.org/documentation/introduction.html\">"})
        EXPECT_EQ(SoftHyphenate(tag), tag);
    // A word touching a tag is one run with it and is left alone.
    EXPECT_EQ(SoftHyphenate("<i>information</i>"), "<i>information</i>");
    EXPECT_EQ(SoftHyphenate("information <br> x"), "infor&shy;ma&shy;tion <br> x");
    // Entity names, however long; a bare "&" ends no entity.
    EXPECT_EQ(SoftHyphenate("&thetasym;&thetasym;"), "&thetasym;&thetasym;");
    EXPECT_EQ(SoftHyphenate("x&nbsp;information"), "x&nbsp;infor&shy;ma&shy;tion");
    EXPECT_EQ(SoftHyphenate("x&information y"), "x&infor&shy;ma&shy;tion y");
    // A stray ">", or a "<" that no ">" closes, keeps its run untreated.
    EXPECT_EQ(SoftHyphenate("information> x"), "information> x");
    EXPECT_EQ(SoftHyphenate("a <information"), "a <information");
}

}  // namespace
}  // namespace pm::hyph
