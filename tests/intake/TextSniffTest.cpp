#include <gtest/gtest.h>

#include <string>

#include "intake/TextSniff.h"

namespace pm::intake {
namespace {

// A head of n bytes of Windows-1251 text (letters high and low, spaces).
std::string Text(size_t n) {
    static const std::string kPattern = "Text \xD2\xE5\xEA\xF1\xF2 line. ";
    std::string s;
    while (s.size() < n) s += kPattern;
    s.resize(n);
    return s;
}

TEST(TextSniff, NulByteCountsOnlyInsideTheWindow) {
    EXPECT_FALSE(LooksBinary(""));
    EXPECT_FALSE(LooksBinary(Text(200000)));
    std::string s = Text(200000);
    s[kTextSniffBytes - 1] = '\0';  // the window's last byte
    EXPECT_TRUE(LooksBinary(s));
    s = Text(200000);
    s[kTextSniffBytes] = '\0';  // the first byte past it
    EXPECT_FALSE(LooksBinary(s));
    EXPECT_TRUE(LooksBinary(std::string(1, '\0')));
}

TEST(TextSniff, ControlShareAboveThirtyPercent) {
    // 300 of 1000 is exactly the limit and still text; 301 is over it.
    std::string s = Text(1000);
    for (size_t i = 0; i < 300; ++i) s[i * 3] = '\x01';
    EXPECT_FALSE(LooksBinary(s));
    s[1] = '\x1B';
    EXPECT_TRUE(LooksBinary(s));
    // DEL is a control character as well; the highest code below space too.
    s[1] = '\x7F';
    EXPECT_TRUE(LooksBinary(s));
    s[1] = '\x1F';
    EXPECT_TRUE(LooksBinary(s));
    s[1] = ' ';
    EXPECT_FALSE(LooksBinary(s));
}

TEST(TextSniff, LayoutControlsAreText) {
    EXPECT_FALSE(LooksBinary(std::string(1000, '\t')));
    EXPECT_FALSE(LooksBinary(std::string(1000, '\n')));
    EXPECT_FALSE(LooksBinary(std::string(1000, '\f')));
    EXPECT_FALSE(LooksBinary(std::string(1000, '\r')));
    EXPECT_TRUE(LooksBinary(std::string(1000, '\v')));
    // The high half of the code page is letters, not control codes.
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    EXPECT_FALSE(LooksBinary(high));
}

TEST(TextSniff, ShareIsTakenOverTheWindowOnly) {
    // Controls just over the limit inside the window, plain text after it:
    // the text beyond must not dilute the share.
    const size_t over = kTextSniffBytes * kMaxControlPercent / 100 + 1;
    std::string s = Text(kTextSniffBytes);
    for (size_t i = 0; i < over; ++i) s[i] = '\x02';
    EXPECT_TRUE(LooksBinary(s + Text(kTextSniffBytes * 4)));
    // And controls past the window do not count at all.
    EXPECT_FALSE(LooksBinary(Text(kTextSniffBytes) + std::string(kTextSniffBytes, '\x02')));
}

}  // namespace
}  // namespace pm::intake
