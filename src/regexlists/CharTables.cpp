#include "regexlists/CharTables.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <locale.h>

#include <array>
#include <cstring>

#include "common/Cp1251.h"

namespace pm::rx {
namespace {

// PCRE2's table block: lower-case map, case-flip map, ten class bitmaps of
// 32 bytes each, then one type byte per character.
constexpr size_t kLowerOffset = 0;
constexpr size_t kFlipOffset = 256;
constexpr size_t kBitsOffset = 512;
constexpr size_t kBitmapCount = 10;
constexpr size_t kTypesOffset = kBitsOffset + kBitmapCount * 32;
constexpr size_t kTablesLength = kTypesOffset + 256;

// The tables of the "C" locale, whatever locale the process runs in.
std::array<uint8_t, kTablesLength> CLocaleTables() {
    std::array<uint8_t, kTablesLength> t{};
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    locale_t old = c ? uselocale(c) : static_cast<locale_t>(0);
    const uint8_t* made = pcre2_maketables(nullptr);
    if (c) {
        uselocale(old);
        freelocale(c);
    }
    if (made) {
        std::memcpy(t.data(), made, kTablesLength);
        pcre2_maketables_free(nullptr, made);
    }
    return t;
}

bool BitSet(const uint8_t* map, unsigned c) { return map[c / 8] & (1u << (c % 8)); }

void SetBit(uint8_t* map, unsigned c, bool on) {
    if (on) map[c / 8] |= static_cast<uint8_t>(1u << (c % 8));
    else map[c / 8] &= static_cast<uint8_t>(~(1u << (c % 8)));
}

// A Cyrillic letter gets every class and type property of a Latin letter
// of the same case that is not a hexadecimal digit.
void AddLetter(std::array<uint8_t, kTablesLength>& t, unsigned c) {
    const bool upper = cp1251::IsUpper(static_cast<unsigned char>(c));
    const unsigned ref = upper ? 'G' : 'g';
    t[kLowerOffset + c] = cp1251::ToLower(static_cast<unsigned char>(c));
    t[kFlipOffset + c] = upper ? cp1251::ToLower(static_cast<unsigned char>(c))
                               : cp1251::ToUpper(static_cast<unsigned char>(c));
    for (size_t m = 0; m < kBitmapCount; ++m) {
        uint8_t* map = t.data() + kBitsOffset + m * 32;
        SetBit(map, c, BitSet(map, ref));
    }
    t[kTypesOffset + c] = t[kTypesOffset + ref];
}

std::array<uint8_t, kTablesLength> BuildTables() {
    auto t = CLocaleTables();
    for (unsigned c = 0x80; c < 256; ++c)
        if (cp1251::IsCyrillicLetter(static_cast<unsigned char>(c))) AddLetter(t, c);
    return t;
}

}  // namespace

const uint8_t* Cp1251Tables() {
    static const std::array<uint8_t, kTablesLength> tables = BuildTables();
    return tables.data();
}

}  // namespace pm::rx
