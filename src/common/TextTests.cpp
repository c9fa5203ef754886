#include "common/TextTests.h"

#include "common/Cp1251.h"

#include <algorithm>

namespace pm::text {

bool IsBlankLine(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

bool IsDashChar(unsigned char c) { return c == '-' || c == kEnDash; }

bool IsSentenceEnd(unsigned char c) {
    switch (c) {
        case '!': case '"': case '\'': case '.': case ':': case '?': case kRaquo:
            return true;
        default:
            return false;
    }
}

std::string TrimLeft(std::string_view s) {
    const size_t b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    const size_t e = s.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

size_t FindNoCase(std::string_view hay, std::string_view needle, size_t from) {
    if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
    if (needle.size() > hay.size()) return std::string_view::npos;
    const auto first = static_cast<unsigned char>(needle[0]);
    const auto lower = static_cast<char>(cp1251::ToLower(first)), upper = static_cast<char>(cp1251::ToUpper(first));
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        // A first character without case is searched for the fast way.
        if (lower == upper && (i = hay.find(lower, i)) == std::string_view::npos) break;
        if (i + needle.size() > hay.size()) break;
        if (hay[i] != lower && hay[i] != upper) continue;
        if (cp1251::EqualsNoCase(hay.substr(i, needle.size()), needle)) return i;
    }
    return std::string_view::npos;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && cp1251::EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           cp1251::EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

bool ContainsAny(std::string_view s, std::initializer_list<std::string_view> words) {
    // Words that all begin alike (tags, say) are ruled out by one scan for
    // that character in most lines.
    if (words.size() > 1 && !words.begin()->empty()) {
        const char first = words.begin()->front();
        const bool alike = std::all_of(words.begin(), words.end(),
                                       [first](std::string_view w) { return !w.empty() && w.front() == first; });
        if (alike && s.find(first) == std::string_view::npos) return false;
    }
    for (std::string_view w : words)
        if (s.find(w) != std::string_view::npos) return true;
    return false;
}

bool EqualsAny(std::string_view s, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (s == w) return true;
    return false;
}

bool StartsWithAny(std::string_view s, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (s.starts_with(w)) return true;
    return false;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    for (size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
        out.append(s.substr(pos, hit - pos));
        out.append(to);
    }
    out.append(s.substr(pos));
    return out;
}

}  // namespace pm::text
