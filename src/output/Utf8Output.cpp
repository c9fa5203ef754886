#include "output/Utf8Output.h"

#include "common/Cp1251.h"

namespace pm {
namespace {

constexpr std::string_view kUtf8 = "utf-8";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

size_t FindNoCase(std::string_view s, std::string_view what, size_t from, size_t to) {
    for (size_t i = from; i + what.size() <= to; ++i) {
        size_t k = 0;
        while (k < what.size() && LowerAscii(s[i + k]) == what[k]) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

// Replaces the value that starts at from (after an optional quote) up to
// the first character that ends it.
void ReplaceValue(std::string& text, size_t from, std::string_view enders) {
    if (from < text.size() && (text[from] == '"' || text[from] == '\'')) ++from;
    size_t end = text.find_first_of(enders, from);
    if (end == std::string::npos) end = text.size();
    text.replace(from, end - from, kUtf8);
}

}  // namespace

std::string Utf8Document(std::string_view document) {
    std::string text = cp1251::ToUtf8(document);
    // The XML declaration.
    if (text.compare(0, 5, "<?xml") == 0) {
        const size_t close = text.find("?>");
        const size_t enc = FindNoCase(text, "encoding=", 0, close == std::string::npos ? text.size() : close);
        if (enc != std::string::npos) ReplaceValue(text, enc + 9, "\"'?> \t\r\n");
    }
    // The head: up to </head>, or the body when the head is not closed.
    size_t headEnd = FindNoCase(text, "</head", 0, text.size());
    if (headEnd == std::string::npos) headEnd = FindNoCase(text, "<body", 0, text.size());
    if (headEnd == std::string::npos) headEnd = text.size();
    const size_t charset = FindNoCase(text, "charset=", 0, headEnd);
    if (charset != std::string::npos) {
        ReplaceValue(text, charset + 8, "\"'; \t\r\n/>");
        return text;
    }
    const size_t head = FindNoCase(text, "<head", 0, headEnd);
    const size_t gt = head == std::string::npos ? std::string::npos : text.find('>', head);
    if (gt != std::string::npos)
        text.insert(gt + 1, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    return text;
}

std::string InOutputCodePage(std::string text, bool plainText, bool utf8) {
    if (!utf8) return text;
    return plainText ? cp1251::ToUtf8(text) : Utf8Document(text);
}

}  // namespace pm
