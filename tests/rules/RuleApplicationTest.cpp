// Applying one rule: the dialect (lazy by default, Russian ranges, inline
// modifiers), Cyrillic case folding, the replacement template and the
// error path.
#include <gtest/gtest.h>

#include <string>

#include "common/Cp1251.h"
#include "regexlists/RegexApply.h"

namespace pm::rx {
namespace {

// Test texts are written in UTF-8 here and run in Windows-1251.
std::string W(const char* utf8) { return cp1251::FromUtf8(utf8); }

std::string Apply(const std::string& pattern, const std::string& replacement, const std::string& input) {
    return ApplyRegex(pattern, replacement, input);
}

std::string ErrorResult(const std::string& input) { return std::string(kErrorMark) + input; }

TEST(RuleGreediness, BoldSpanMatchesShortestByDefault) {
    EXPECT_EQ(Apply("<b>(.*)</b>", "<i>$1</i>", "<b>one</b> and <b>two</b>"), "<i>one</i> and <i>two</i>");
}

TEST(RuleGreediness, GreedyModifierMakesBareQuantifiersGreedy) {
    EXPECT_EQ(Apply("(?g)<b>(.*)</b>", "[$1]", "<b>one</b> and <b>two</b>"), "[one</b> and <b>two]");
    EXPECT_EQ(Apply("(?g)a{2,3}", "X", "aaaa"), "Xa");
}

TEST(RuleGreediness, NonGreedyFormsStayLazyEitherWay) {
    EXPECT_EQ(Apply("<b>(.*?)</b>", "[$1]", "<b>1</b><b>2</b>"), "[1][2]");
    EXPECT_EQ(Apply("(?g)<b>(.*?)</b>", "[$1]", "<b>1</b><b>2</b>"), "[1][2]");
    EXPECT_EQ(Apply("a{2,3}?", "X", "aaaa"), "XX");
    EXPECT_EQ(Apply("a{2,3}", "X", "aaaa"), "XX");
    EXPECT_EQ(Apply("ba??", "X", "baa"), "Xaa");
    EXPECT_EQ(Apply("(?g)ba?", "X", "baa"), "Xa");
}

TEST(RuleGreediness, ModifierInsideAGroupEndsWithTheGroup) {
    EXPECT_EQ(Apply("(a+)((?g)b+)(a+)", "[$1|$2|$3]", "aabbaa"), "[aa|bb|a]a");
    EXPECT_EQ(Apply("(?g:a+)(a+)", "[$0]", "aaaa"), "[aaaa]");
    EXPECT_EQ(Apply("((?g)a+)(a+)", "[$1|$2]", "aaaa"), "[aaa|a]");
}

TEST(RuleGreediness, BracedEscapeBeforeOptionalMarkIsNotAQuantifier) {
    EXPECT_EQ(Apply("B\\x{41}?C", "-", "BC BAC"), "- -");
    EXPECT_EQ(Apply("\\Q{1}\\E?x", "-", "{1}x {1x {x"), "- - {x");
}

TEST(RuleGreediness, ExtendedModeLazyMarkAfterSpaceOrComment) {
    // With "x" a lazy mark may stand apart from its quantifier; it still
    // means lazy, greedy matching on or off.
    EXPECT_EQ(Apply("(?x)a+ ?", "#", "aaa"), "###");
    EXPECT_EQ(Apply("(?x)a{1,3}\t?", "#", "aaa"), "###");
    EXPECT_EQ(Apply("(?x)a+ # one or more\n ?", "#", "aaa"), "###");
    EXPECT_EQ(Apply("(?x)a # a comment ends at a lone CR\r+?", "#", "aaa"), "###");
    EXPECT_EQ(Apply("(?x)<b>(.* ?)</b>", "[$1]", "<b>1</b><b>2</b>"), "[1][2]");
    EXPECT_EQ(Apply("(?xg)a+ ?", "#", "aaa"), "###");
    EXPECT_EQ(Apply("(?xg)a+", "#", "aaa"), "#");
    EXPECT_EQ(Apply("(?x)a+ +", "#", "aaa"), "#");   // possessive stays
    EXPECT_EQ(Apply("a+ ?b", "#", "a b ab"), "# #");  // without "x" the space is literal
}

TEST(RussianRanges, LowerRangeCoversYo) {
    EXPECT_EQ(Apply(W("(?g)[а-я]+"), "#", W("ёлка и ель")), "# # #");
    EXPECT_EQ(Apply(W("[А-Я]"), "#", W("ЁЖ")), "##");
    EXPECT_EQ(Apply(W("(?g)[А-я]+"), "#", W("Ёлка ёж")), "# #");
    EXPECT_EQ(Apply("(?g)[\\xE0-\\xFF]+", "#", W("ёж")), "#");
}

TEST(RussianRanges, NegatedRangeExcludesYo) {
    EXPECT_EQ(Apply(W("[^а-я ]"), "#", W("ё ж 1")), W("ё ж #"));
}

TEST(RussianRanges, ModifierROffLeavesRangeAsCodes) {
    EXPECT_EQ(Apply(W("(?-r)[а-я]"), "#", W("ёж")), W("ё#"));
    EXPECT_EQ(Apply(W("(?-r)x(?r)[а-я]"), "#", W("xё")), "#");
}

TEST(RussianRanges, PartialRangeIsNotWidened) {
    EXPECT_EQ(Apply(W("[а-е]"), "#", W("ёе")), W("ё#"));
}

TEST(CyrillicCase, CaseInsensitiveMatchingKnowsCyrillic) {
    EXPECT_EQ(Apply(W("(?i)привет"), "hi", W("ПРИВЕТ Привет")), "hi hi");
    EXPECT_EQ(Apply(W("(?i)ё"), "e", W("Ёё")), "ee");
    EXPECT_EQ(Apply(W("(?ig)[а-я]+"), "#", W("ЁЛКА")), "#");
    EXPECT_EQ(Apply(W("привет"), "hi", W("ПРИВЕТ")), W("ПРИВЕТ"));
}

TEST(CyrillicCase, WordClassesCoverCyrillicLetters) {
    EXPECT_EQ(Apply("\\w+", "w", W("Съешь ещё")), "wwwww www");  // lazy: one letter each
    EXPECT_EQ(Apply("(?g)\\w+", "w", W("Съешь ещё")), "w w");
    EXPECT_EQ(Apply("\\bx", "y", W("жx x")), W("жx y"));
    EXPECT_EQ(Apply("[[:upper:]]", "U", W("Яя")), W("Uя"));
}

TEST(ReplaceTemplate, GroupsByDigitAndInBraces) {
    const std::string twelve = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)";
    EXPECT_EQ(Apply(twelve, "${12}$1", "abcdefghijkl"), "la");
    EXPECT_EQ(Apply(twelve, "$12", "abcdefghijkl"), "a2");
    EXPECT_EQ(Apply("(x)(y)", "$2$1$0", "xy"), "yxxy");
}

TEST(ReplaceTemplate, MissingOrUnsetGroupsGiveNothing) {
    EXPECT_EQ(Apply("(a)|(b)", "[$1$2]", "ab"), "[a][b]");
    EXPECT_EQ(Apply("(a)", "[${20}$9]", "a"), "[]");
}

TEST(ReplaceTemplate, DollarWithoutGroupIsLiteral) {
    EXPECT_EQ(Apply("a", "$x${}${1", "a"), "$x${}${1");
    EXPECT_EQ(Apply("a", "$", "a"), "$");
}

TEST(Dialect, HexCodesCommentsAlternationAndCounts) {
    EXPECT_EQ(Apply("\\xE0", "a", W("ба")), W("бa"));
    EXPECT_EQ(Apply("(cat|dog)(?#pets)s", "<$1>", "cats dogs"), "<cat> <dog>");
    EXPECT_EQ(Apply("[0-9]{2,3}", "#", "1 12 1234"), "1 # ##");
}

TEST(Dialect, MultiLineAnchorsAtEveryLineBreak) {
    EXPECT_EQ(Apply("^x", "y", "x1\r\nx2\nx3\rx4"), "y1\r\ny2\ny3\ry4");
    EXPECT_EQ(Apply("1$", "!", "a1\r\nb1"), "a!\r\nb!");
    EXPECT_EQ(Apply("(?-m)^x", "y", "x1\r\nx2"), "y1\r\nx2");
}

TEST(Dialect, EmptyMatchesAdvanceOverWholeLineBreaks) {
    EXPECT_EQ(Apply("x*", "-", "ab"), "-a-b-");
    EXPECT_EQ(Apply("$", "|", "a\r\nb"), "a|\r\nb|");
    EXPECT_EQ(Apply("", "-", ""), "-");
}

TEST(Dialect, ByteValuesOutsideAsciiPassThrough) {
    const std::string bytes = W("«Ёлки» — палки…");
    EXPECT_EQ(Apply("q", "Q", bytes), bytes);
    EXPECT_EQ(Apply(W("»"), "'", bytes), W("«Ёлки' — палки…"));
}

TEST(RuleErrors, PatternThatDoesNotCompileGivesErrorAndInput) {
    EXPECT_EQ(Apply("(abc", "x", "abc"), ErrorResult("abc"));
    EXPECT_EQ(Apply("[a-", "x", "abc"), ErrorResult("abc"));
    EXPECT_EQ(Apply("*a", "x", "a"), ErrorResult("a"));
    EXPECT_EQ(Apply("(*UTF)a", "x", "a"), ErrorResult("a"));
    const RegexOutcome r = TryApplyRegex("(abc", "x", "abc");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "abc");
    EXPECT_FALSE(r.error.empty());
}

TEST(RuleErrors, CatastrophicBacktrackingEndsInErrorPath) {
    const std::string input = std::string(30, 'a') + "b";
    EXPECT_EQ(Apply("^(a+)+$", "x", input), ErrorResult(input));
}

TEST(RuleErrors, LazySpanOverALongTextStaysWithinTheLimits) {
    std::string body;
    for (int i = 0; i < 300000; ++i) body += "text line\r\n";
    EXPECT_EQ(Apply("(?s)<body>(.*)</body>", "[]", "<body>" + body + "</body>"), "[]");
}

TEST(RuleErrors, FailureAfterEarlierMatchesKeepsWholeInput) {
    const std::string input = "c\r\n" + std::string(30, 'a') + "b";
    EXPECT_EQ(Apply("c|^(a+)+$", "x", input), ErrorResult(input));
}

}  // namespace
}  // namespace pm::rx
