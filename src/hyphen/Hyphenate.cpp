#include "hyphen/Hyphenate.h"

#include "hyphen/CharClasses.h"

namespace pm::hyph {

// With X Y the classes of the two characters before the break and Z W those
// of the two after it. At least 3 characters stay before, 4 go after.
bool IsPermissibleBreak(std::string_view word, size_t k) {
    if (k < 3 || k + 4 > word.size()) return false;
    const CharClass x = ClassOf(word[k - 2]), y = ClassOf(word[k - 1]);
    const CharClass z = ClassOf(word[k]), w = ClassOf(word[k + 1]);
    constexpr CharClass V = CharClass::Vowel, C = CharClass::Consonant;
    if (x == V && y == C && z == C && w != CharClass::BreakMark) return true;  // vc|c
    if (x == C && y == V && z == C && w == V) return true;                     // cv|cv
    if (x == C && y == V && z == V && w == C) return true;                     // cv|vc
    if (y == CharClass::Sign && z != CharClass::BreakMark) return true;        // after ъ ь
    return (y == V && z == V) || (y == C && z == C);
}

namespace {

// 1-based position of the first character of class Other, 0 for none.
size_t FirstOtherPosition(std::string_view word, size_t limit) {
    for (size_t i = 0; i < word.size() && i < limit; ++i)
        if (ClassOf(word[i]) == CharClass::Other) return i + 1;
    return 0;
}

}  // namespace

size_t FindBreak(std::string_view word, size_t n) {
    if (n >= word.size()) return 0;
    if (word.size() < 4) return 0;
    if (n > word.size() - 4) n = word.size() - 4;
    // Up to two leading signs (an opening guillemet, a quote) are allowed.
    const size_t p = FirstOtherPosition(word, n);
    if (p > 2 && p < n) return 0;
    for (size_t k = n; k >= 3; --k)
        if (IsPermissibleBreak(word, k)) return k;
    return 0;
}

}  // namespace pm::hyph
