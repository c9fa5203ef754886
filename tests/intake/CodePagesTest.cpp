#include <gtest/gtest.h>

#include <string>

#include "config/Texts.h"
#include "intake/CodePageStep.h"
#include "intake/CodePages.h"
#include "platform/ScriptedQuestions.h"

namespace pm {
namespace {

using namespace codepages;

// A Russian pangram with yo, lower then upper case, in each code page.
const std::string kKoi =
    "\xD3\xDF\xC5\xDB\xD8 \xD6\xC5 \xC5\xDD\xA3 \xDC\xD4\xC9\xC8 \xCD\xD1\xC7\xCB\xC9\xC8 \xC6\xD2\xC1\xCE\xC3\xD5\xDA\xD3\xCB\xC9\xC8 \xC2\xD5\xCC\xCF\xCB, \xC4\xC1 \xD7\xD9\xD0\xC5\xCA \xDE\xC1\xC0. \xA3\xD6 \xDC\xC8 "
    "\xF3\xFF\xE5\xFB\xF8 \xF6\xE5 \xE5\xFD\xB3 \xFC\xF4\xE9\xE8 \xED\xF1\xE7\xEB\xE9\xE8 \xE6\xF2\xE1\xEE\xE3\xF5\xFA\xF3\xEB\xE9\xE8 \xE2\xF5\xEC\xEF\xEB, \xE4\xE1 \xF7\xF9\xF0\xE5\xEA \xFE\xE1\xE0. \xB3\xF6 \xFC\xE8";
const std::string kDos =
    "\xE1\xEA\xA5\xE8\xEC \xA6\xA5 \xA5\xE9\xF1 \xED\xE2\xA8\xE5 \xAC\xEF\xA3\xAA\xA8\xE5 \xE4\xE0\xA0\xAD\xE6\xE3\xA7\xE1\xAA\xA8\xE5 \xA1\xE3\xAB\xAE\xAA, \xA4\xA0 \xA2\xEB\xAF\xA5\xA9 \xE7\xA0\xEE. \xF1\xA6 \xED\xE5 "
    "\x91\x9A\x85\x98\x9C \x86\x85 \x85\x99\xF0 \x9D\x92\x88\x95 \x8C\x9F\x83\x8A\x88\x95 \x94\x90\x80\x8D\x96\x93\x87\x91\x8A\x88\x95 \x81\x93\x8B\x8E\x8A, \x84\x80 \x82\x9B\x8F\x85\x89 \x97\x80\x9E. \xF0\x86 \x9D\x95";
const std::string k1251 =
    "\xF1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5 \xEC\xFF\xE3\xEA\xE8\xF5 \xF4\xF0\xE0\xED\xF6\xF3\xE7\xF1\xEA\xE8\xF5 \xE1\xF3\xEB\xEE\xEA, \xE4\xE0 \xE2\xFB\xEF\xE5\xE9 \xF7\xE0\xFE. \xB8\xE6 \xFD\xF5 "
    "\xD1\xDA\xC5\xD8\xDC \xC6\xC5 \xC5\xD9\xA8 \xDD\xD2\xC8\xD5 \xCC\xDF\xC3\xCA\xC8\xD5 \xD4\xD0\xC0\xCD\xD6\xD3\xC7\xD1\xCA\xC8\xD5 \xC1\xD3\xCB\xCE\xCA, \xC4\xC0 \xC2\xDB\xCF\xC5\xC9 \xD7\xC0\xDE. \xA8\xC6 \xDD\xD5";

// Enough KOI8-R lower case in bytes 1000..2000 to score far above 300.
std::string KoiBook() {
    std::string s;
    while (s.size() < 2500) s += kKoi.substr(0, 60) + "\r\n";
    return s;
}

TEST(CodePages, DosScoreCountsTenTests) {
    EXPECT_EQ(DosScore(""), 0);
    EXPECT_EQ(DosScore("\xA0\xA1\xA2\xA7\xAD plain"), 7);  // 0xA0 and 0xAD count twice
    EXPECT_EQ(DosScore("\xA0\xA1\xA2\xA7\xAD\x95\x97"), 9);
    EXPECT_EQ(DosScore(std::string(50, '\xAF') + "\xA0\xA1\xA2\xA7\xAD\x95\x97"), 10);
}

TEST(CodePages, KoiScoreLooksOnlyAtBytes1000To2000) {
    EXPECT_EQ(KoiScore(std::string(999, '\xC1')), 0);  // shorter than 1000 bytes
    EXPECT_EQ(KoiScore(std::string(999, 'x') + "\xC1"), 1);
    EXPECT_EQ(KoiScore(std::string(998, '\xC1') + "x" + std::string(1001, '\xDF') + std::string(50, '\xC1')), 1001);
    EXPECT_EQ(KoiScore(std::string(999, 'x') + "\xE0\xFF\xC0\xBF"), -1);
}

TEST(CodePages, ConvertsPangramsIntoWindows1251) {
    std::string koi = kKoi, dos = kDos;
    ConvertFromKoi8(koi);
    ConvertFromDos(dos);
    EXPECT_EQ(koi, k1251);
    EXPECT_EQ(dos, k1251);
}

TEST(CodePages, KoiLeavesOtherBytesAndDosReplacesGraphics) {
    std::string koi = "a\r\n\x80\xA0\xBF\xB3\xA3";
    ConvertFromKoi8(koi);
    EXPECT_EQ(koi, "a\r\n\x80\xA0\xBF\xA8\xB8");
    std::string dos = "\xC9\xCD\xBB\r\n\xBA\xB3\xC4\xDB\xFC\xFF";  // a box, a block, numero, nbsp
    ConvertFromDos(dos);
    EXPECT_EQ(dos, "+=+\r\n||-#\xB9\xA0");
}

struct StepCase {
    std::string text;
    int type;
    bool answer;
    std::string expectAsked;  // "" no question, else the message text key
    std::string expectText;
};

TEST(CodePageStep, QuestionsAndChosenTypes) {
    const std::string dos9 = kDos + "\xA7\xAD";
    std::string dos9Converted = dos9;
    ConvertFromDos(dos9Converted);
    std::string koiConverted = KoiBook();
    ConvertFromKoi8(koiConverted);
    const StepCase cases[] = {
        {"\xA0\xA1\xA2\xA7\xAD", 1, true, "", "\xA0\xA1\xA2\xA7\xAD"},  // score 7: not DOS
        {dos9, 1, true, "DosCoded", dos9Converted},
        {dos9, 1, false, "DosCoded", dos9},                // "No" leaves it alone
        {dos9, kOpenAsDos, true, "", dos9Converted},       // chosen: no question
        {KoiBook(), kOpenAsDos, true, "COICoded", koiConverted},  // KOI asked, no DOS conversion
        {KoiBook(), kOpenAsDos, false, "COICoded", KoiBook()},
        {KoiBook(), kOpenAsKoi8, true, "", koiConverted},
        {kKoi, kOpenAsKoi8, true, "", k1251},
        {"plain\r\n", 1, true, "", "plain\r\n"},
        // UTF-8 is decoded before scoring, whatever type was chosen.
        {"\xD0\x81\xD0\xB6 \xCE\xA9", 1, true, "", "\xA8\xE6 &#937;"},
        {"\xEF\xBB\xBF\xD0\xB0", kOpenAsDos, true, "", "\xE0"},
        {"\xEF\xBB\xBFplain", kOpenAsKoi8, true, "", "plain"},
    };
    const Texts texts;
    for (const auto& c : cases) {
        ScriptedQuestions q;
        q.wrongEncoding = c.answer ? YesNoCancel::Yes : YesNoCancel::No;
        std::string text = c.text;
        DetectAndConvertCodePage(text, c.type, texts, q);
        EXPECT_EQ(text, c.expectText) << c.text.substr(0, 20) << " type " << c.type;
        ASSERT_EQ(q.asked.size(), c.expectAsked.empty() ? 0u : 1u) << c.text.substr(0, 20);
        if (!c.expectAsked.empty()) {
            EXPECT_EQ(q.asked[0].caption, "Wrong encoding detected");
            EXPECT_EQ(q.asked[0].text, texts.Msg(c.expectAsked));
        }
    }
}

// Closing the question gives the load up: the text stays as it came.
TEST(CodePageStep, ClosedQuestionGivesTheLoadUp) {
    const Texts texts;
    ScriptedQuestions q;
    q.wrongEncoding = YesNoCancel::Cancel;
    std::string text = kDos + "\xA7\xAD";
    const std::string before = text;
    EXPECT_FALSE(DetectAndConvertCodePage(text, 1, texts, q));
    EXPECT_EQ(text, before);
    text = KoiBook();
    EXPECT_FALSE(DetectAndConvertCodePage(text, 1, texts, q));
    q.wrongEncoding = YesNoCancel::No;
    EXPECT_TRUE(DetectAndConvertCodePage(text, 1, texts, q));
    std::string plain = "plain";
    EXPECT_TRUE(DetectAndConvertCodePage(plain, 1, texts, q));
}

}  // namespace
}  // namespace pm
