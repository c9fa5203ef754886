#include "common/Cp1251.h"

#include <array>

namespace pm::cp1251 {
namespace {

constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// Upper-case letters of 0x80..0xBF paired with their lower-case forms.
constexpr std::array<std::pair<unsigned char, unsigned char>, 16> kCasePairs = {{
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
    {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}, {0x00, 0x00},
}};

struct CaseTables {
    std::array<unsigned char, 256> upper{}, lower{};
    std::array<bool, 256> isUpper{}, isLower{};
    constexpr CaseTables() {
        for (int c = 0; c < 256; ++c) upper[c] = lower[c] = static_cast<unsigned char>(c);
        for (int c = 'A'; c <= 'Z'; ++c) Pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDF; ++c) Pair(c, c + 32);
        for (auto [up, low] : kCasePairs)
            if (up) Pair(up, low);
    }
    constexpr void Pair(int up, int low) {
        upper[low] = static_cast<unsigned char>(up);
        lower[up] = static_cast<unsigned char>(low);
        isUpper[up] = isLower[low] = true;
    }
};

// Built by the compiler: the case functions are called for every character.
constexpr CaseTables kTables;

constexpr const CaseTables& Tables() { return kTables; }

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when malformed.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    char32_t min = 0;
    if (b < 0x80) { cp = b; return 1; }
    if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; min = 0x80; }
    else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; min = 0x800; }
    else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; min = 0x10000; }
    else return 0;
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t ToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return 0x0410 + (c - 0xC0);
    return kHigh[c - 0x80];
}

int FromUnicode(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

unsigned char ToUpper(unsigned char c) { return Tables().upper[c]; }
unsigned char ToLower(unsigned char c) { return Tables().lower[c]; }
bool IsUpper(unsigned char c) { return Tables().isUpper[c]; }
bool IsLower(unsigned char c) { return Tables().isLower[c]; }
bool IsLetter(unsigned char c) { return IsUpper(c) || IsLower(c); }
bool IsCyrillicLetter(unsigned char c) { return c >= 0x80 && IsLetter(c); }

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (auto& ch : r) ch = static_cast<char>(ToUpper(static_cast<unsigned char>(ch)));
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (auto& ch : r) ch = static_cast<char>(ToLower(static_cast<unsigned char>(ch)));
    return r;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int x = ToLower(static_cast<unsigned char>(a[i]));
        const int y = ToLower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(ch)));
    return out;
}

std::string FromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    if (s.substr(0, 3) == "\xEF\xBB\xBF") i = 3;  // byte-order mark
    while (i < s.size()) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(s, i, cp);
        if (len == 0) {
            out += s[i++];
            continue;
        }
        i += len;
        const int b = FromUnicode(cp);
        if (b >= 0)
            out += static_cast<char>(b);
        else
            out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
    }
    return out;
}

bool LooksLikeUtf8(std::string_view s) {
    if (s.substr(0, 3) == "\xEF\xBB\xBF") return true;
    bool multiByte = false;
    for (size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(s, i, cp);
        if (len == 0) return false;
        multiByte |= len > 1;
        i += len;
    }
    return multiByte;
}

}  // namespace pm::cp1251
