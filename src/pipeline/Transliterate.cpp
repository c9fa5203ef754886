// The Latin short title: one byte for one byte over the Cyrillic letters
// 192..255 of the working code page (Ё and ё lie below and stay as they are).
#include "pipeline/Title.h"

namespace pm {
namespace {
constexpr std::string_view kUpperLatin = "ABVGDESZIJKLMNOPRSTUFHCCHH'I_AUJ";  // А..Я
constexpr std::string_view kLowerLatin = "abvgdeszijklmnoprstufhcchh'i_avj";  // а..я
}  // namespace

std::string TransliterateLatin(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 192 && c < 224) ch = kUpperLatin[c - 192];
        else if (c >= 224) ch = kLowerLatin[c - 224];
    }
    return out;
}

}  // namespace pm
