#include "intake/CodePages.h"

#include <array>

namespace pm::codepages {
namespace {

// Code page 866, 0xB0-0xDF: shades, box drawing and blocks. Windows-1251 has
// none of them, so each becomes the ASCII character it looks most like.
constexpr char kDosGraphics[48 + 1] =
    "###|++++++|+++++"   // B0: shades, then single/double verticals and corners
    "++++-++++++++=++"   // C0: corners, tees, horizontals, crosses
    "+++++++++++#####";  // D0: corners and crosses, then the blocks

// Code page 866, 0xF0-0xFF, as Windows-1251 bytes: Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ nbsp.
constexpr std::array<unsigned char, 16> kDosTail = {
    0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xA1, 0xA2,
    0xB0, 0xB7, 0xB7, 'v',  0xB9, 0xA4, '#',  0xA0,
};

std::array<unsigned char, 256> MakeDosTable() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
    for (int c = 0x80; c <= 0xAF; ++c) t[c] = static_cast<unsigned char>(c + 0x40);  // А..Я, а..п
    for (int c = 0xE0; c <= 0xEF; ++c) t[c] = static_cast<unsigned char>(c + 0x10);  // р..я
    for (int c = 0xB0; c <= 0xDF; ++c) t[c] = static_cast<unsigned char>(kDosGraphics[c - 0xB0]);
    for (int c = 0xF0; c <= 0xFF; ++c) t[c] = kDosTail[c - 0xF0];
    return t;
}

// KOI8-R 0xC0-0xDF as Windows-1251 lower case ("юабцдефгхийклмнопярстужвьызшэщчъ");
// 0xE0-0xFF are the same letters in upper case, 0x20 lower in Windows-1251.
constexpr std::array<unsigned char, 32> kKoiLower = {
    0xFE, 0xE0, 0xE1, 0xF6, 0xE4, 0xE5, 0xF4, 0xE3, 0xF5, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE,
    0xEF, 0xFF, 0xF0, 0xF1, 0xF2, 0xF3, 0xE6, 0xE2, 0xFC, 0xFB, 0xE7, 0xF8, 0xFD, 0xF9, 0xF7, 0xFA,
};

std::array<unsigned char, 256> MakeKoiTable() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
    for (int c = 0; c < 32; ++c) {
        t[0xC0 + c] = kKoiLower[c];
        t[0xE0 + c] = static_cast<unsigned char>(kKoiLower[c] - 0x20);
    }
    t[0xA3] = 0xB8;  // ё
    t[0xB3] = 0xA8;  // Ё
    return t;
}

void MapBytes(std::string& text, const std::array<unsigned char, 256>& table) {
    for (char& ch : text) ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
}

}  // namespace

int DosScore(std::string_view text) {
    std::array<bool, 256> present{};
    for (char ch : text) present[static_cast<unsigned char>(ch)] = true;
    static constexpr unsigned char kTests[10] = {0xA0, 0xA1, 0xA2, 0xA7, 0xAD, 0xA0, 0xAD, 0x95, 0x97, 0xAF};
    int score = 0;
    for (unsigned char b : kTests) score += present[b] ? 1 : 0;
    return score;
}

int KoiScore(std::string_view text) {
    constexpr size_t kFirst = 1000, kLast = 2000;  // 1-based, inclusive
    if (text.size() < kFirst) return 0;
    const size_t end = text.size() < kLast ? text.size() : kLast;
    int score = 0;
    for (size_t i = kFirst - 1; i < end; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0xE0)
            --score;
        else if (b >= 0xC0)
            ++score;
    }
    return score;
}

void ConvertFromDos(std::string& text) {
    static const auto table = MakeDosTable();
    MapBytes(text, table);
}

void ConvertFromKoi8(std::string& text) {
    static const auto table = MakeKoiTable();
    MapBytes(text, table);
}

}  // namespace pm::codepages
