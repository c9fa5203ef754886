// Letter classes of the working code page (Windows-1251) that the break
// rules are written in. Every byte belongs to exactly one class.
#pragma once

#include <cstdint>

namespace pm::hyph {

enum class CharClass : uint8_t { Other, Consonant, Vowel, Sign, BreakMark };

CharClass ClassOf(unsigned char c);

inline bool IsVowel(unsigned char c) { return ClassOf(c) == CharClass::Vowel; }
inline bool IsConsonant(unsigned char c) { return ClassOf(c) == CharClass::Consonant; }

}  // namespace pm::hyph
