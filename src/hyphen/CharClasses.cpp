#include "hyphen/CharClasses.h"

#include <array>
#include <string_view>

namespace pm::hyph {
namespace {

// Latin Y counts as a consonant and J as a vowel; Cyrillic Й is a consonant.
constexpr std::string_view kLatinVowels = "AEIJOUaeijou";
constexpr std::string_view kLatinConsonants = "BCDFGHKLMNPQRSTVWXYZbcdfghklmnpqrstvwxyz";

// Cyrillic capitals in Windows-1251 run from 192 (А) to 223 (Я); the small
// letters are the capitals + 32. Ё is 168, ё is 184.
constexpr std::string_view kCyrVowelsUpper = "\xC0\xC5\xC8\xCE\xD3\xDB\xDD\xDE\xDF\xA8";  // АЕИОУЫЭЮЯЁ
constexpr unsigned char kHardSign = 0xDA, kSoftSign = 0xDC;                          // Ъ Ь

std::array<CharClass, 256> BuildTable() {
    std::array<CharClass, 256> t{};
    for (unsigned char c : kLatinVowels) t[c] = CharClass::Vowel;
    for (unsigned char c : kLatinConsonants) t[c] = CharClass::Consonant;
    for (int c = 0xC0; c <= 0xDF; ++c) {
        t[c] = CharClass::Consonant;
        t[c + 32] = CharClass::Consonant;
    }
    for (unsigned char c : kCyrVowelsUpper) {
        t[c] = CharClass::Vowel;
        t[c == 0xA8 ? 0xB8 : c + 32] = CharClass::Vowel;
    }
    for (unsigned char c : {kHardSign, kSoftSign}) {
        t[c] = CharClass::Sign;
        t[c + 32] = CharClass::Sign;
    }
    t['-'] = CharClass::BreakMark;
    t[0xB7] = CharClass::BreakMark;  // middle dot
    return t;
}

const std::array<CharClass, 256> kTable = BuildTable();

}  // namespace

CharClass ClassOf(unsigned char c) { return kTable[c]; }

}  // namespace pm::hyph
