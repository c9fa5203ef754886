#include "document/PlainText.h"
#include "common/Concat.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/Cp1251.h"
#include "document/EntityTable.h"

namespace pm {
namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiAlnum(char c) { return IsAsciiAlpha(c) || (c >= '0' && c <= '9'); }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

size_t DecodeNumeric(std::string_view s, long& cp) {
    // s starts with "&#"
    size_t i = 2;
    const bool hex = i < s.size() && (s[i] == 'x' || s[i] == 'X');
    if (hex) ++i;
    const size_t digitsFrom = i;
    cp = 0;
    while (i < s.size() && i - digitsFrom < 8) {
        const char c = s[i];
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) break;
        cp = cp * (hex ? 16 : 10) + d;
        ++i;
    }
    if (i == digitsFrom || i >= s.size() || s[i] != ';') return 0;
    return i + 1;
}

}  // namespace

size_t DecodeCharReference(std::string_view s, unsigned char& out) {
    if (s.size() < 3 || s[0] != '&') return 0;
    long cp = -1;
    size_t len = 0;
    if (s[1] == '#') {
        len = DecodeNumeric(s, cp);
    } else {
        size_t i = 1;
        while (i < s.size() && i <= 10 && IsAsciiAlnum(s[i])) ++i;
        if (i < s.size() && s[i] == ';' && i > 1) {
            cp = EntityCodePoint(s.substr(1, i - 1));
            len = i + 1;
        }
    }
    if (len == 0 || cp < 0) return 0;
    const int byte = cp1251::FromUnicode(static_cast<char32_t>(cp));
    if (byte < 0 || byte == 0) return 0;
    out = static_cast<unsigned char>(byte);
    return len;
}

namespace {

// Writes rendered text: collapses whitespace and resolves the line breaks
// that blocks ask for.
class TextSink {
public:
    void Text(char c) {
        FlushBreaks();
        if (pendingSpace_ && !AtLineStart()) out_ += ' ';
        pendingSpace_ = false;
        out_ += c;
    }
    void Space() { pendingSpace_ = true; }
    void Raw(char c) {  // inside <pre>
        if (c == '\r') return;
        if (c == '\n') {
            HardBreak();
            return;
        }
        FlushBreaks();
        pendingSpace_ = false;
        out_ += c;
    }
    void HardBreak() {
        FlushBreaks();
        pendingSpace_ = false;
        out_ += "\r\n";
    }
    // A block boundary wanting count line breaks before the next text.
    void Block(int count) {
        pendingSpace_ = false;
        if (!out_.empty()) breaks_ = std::max(breaks_, count);
    }
    std::string Finish() {
        while (out_.size() >= 2 && out_.compare(out_.size() - 2, 2, "\r\n") == 0) out_.resize(out_.size() - 2);
        return std::move(out_);
    }

private:
    bool AtLineStart() const { return out_.empty() || out_.back() == '\n'; }
    int TrailingBreaks() const {
        int n = 0;
        for (size_t e = out_.size(); e >= 2 && out_.compare(e - 2, 2, "\r\n") == 0; e -= 2) ++n;
        return n;
    }
    void FlushBreaks() {
        for (int n = TrailingBreaks(); n < breaks_; ++n) out_ += "\r\n";
        breaks_ = 0;
    }

    std::string out_;
    int breaks_ = 0;
    bool pendingSpace_ = false;
};

constexpr std::array<std::string_view, 33> kBlockTags = {
    "address", "article", "aside",  "blockquote", "body",    "caption", "center", "dd",     "dir",
    "div",     "dl",      "dt",     "fieldset",   "figure",  "footer",  "form",   "h1",     "h2",
    "h3",      "h4",      "h5",     "h6",         "header",  "hr",      "li",     "menu",   "nav",
    "ol",      "section", "table",  "tr",         "ul",      "pre"};
// Elements whose content is never shown.
constexpr std::array<std::string_view, 6> kHiddenTags = {"head", "script", "style", "title", "noscript", "template"};

template <size_t N>
bool In(const std::array<std::string_view, N>& set, std::string_view name) {
    return std::find(set.begin(), set.end(), name) != set.end();
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    size_t end = 0;  // index just past the '>'
};

// Parses a tag at html[pos] == '<'; false when it is not one (a plain "<").
bool ParseTag(std::string_view html, size_t pos, Tag& tag) {
    size_t i = pos + 1;
    if (i < html.size() && html[i] == '/') {
        tag.closing = true;
        ++i;
    }
    if (i >= html.size() || !IsAsciiAlpha(html[i])) return false;
    while (i < html.size() && (IsAsciiAlnum(html[i]) || html[i] == ':' || html[i] == '-'))
        tag.name += static_cast<char>(cp1251::ToLower(static_cast<unsigned char>(html[i++])));
    char quote = 0;
    for (; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            if (html[i - 1] == '=' || IsSpace(html[i - 1])) quote = c;
        } else if (c == '>') {
            tag.end = i + 1;
            return true;
        }
    }
    tag.end = html.size();
    return true;
}

// Index just past the closing tag of name at or after from (or the end).
size_t SkipHiddenContent(std::string_view html, size_t from, std::string_view name) {
    const std::string close = Concat({"</", name});
    for (size_t i = from; i < html.size(); ++i) {
        if (html[i] != '<' || i + close.size() > html.size()) continue;
        if (!cp1251::EqualsNoCase(html.substr(i, close.size()), close)) continue;
        Tag t;
        if (ParseTag(html, i, t) && t.name == name) return t.end;
    }
    return html.size();
}

size_t BodyStart(std::string_view html) {
    for (size_t i = 0; i + 5 <= html.size(); ++i) {
        if (html[i] != '<' || !cp1251::EqualsNoCase(html.substr(i, 5), "<body")) continue;
        Tag t;
        if (ParseTag(html, i, t) && t.name == "body") return t.end;
    }
    return 0;
}

void RenderTag(const Tag& tag, TextSink& sink, int& preDepth) {
    if (tag.name == "br") {
        if (!tag.closing) sink.HardBreak();
        return;
    }
    if (tag.name == "p") {
        sink.Block(2);
        return;
    }
    if (tag.name == "td" || tag.name == "th") {
        if (!tag.closing) sink.Space();
        return;
    }
    if (!In(kBlockTags, tag.name)) return;
    if (tag.name == "pre") preDepth = std::max(0, preDepth + (tag.closing ? -1 : 1));
    sink.Block(1);
}

}  // namespace

std::string RenderPlainText(std::string_view html) {
    TextSink sink;
    int preDepth = 0;
    for (size_t i = BodyStart(html); i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            if (i + 1 < html.size() && (html[i + 1] == '!' || html[i + 1] == '?')) {
                const size_t end = html.find('>', i);
                i = end == std::string_view::npos ? html.size() : end + 1;
                continue;
            }
            Tag tag;
            if (ParseTag(html, i, tag)) {
                i = tag.end;
                if (!tag.closing && In(kHiddenTags, tag.name)) i = SkipHiddenContent(html, i, tag.name);
                else RenderTag(tag, sink, preDepth);
                continue;
            }
        }
        if (c == '&') {
            unsigned char byte = 0;
            if (const size_t len = DecodeCharReference(html.substr(i), byte)) {
                preDepth ? sink.Raw(static_cast<char>(byte)) : sink.Text(static_cast<char>(byte));
                i += len;
                continue;
            }
        }
        if (preDepth) sink.Raw(c);
        else if (IsSpace(c)) sink.Space();
        else sink.Text(c);
        ++i;
    }
    return sink.Finish();
}

}  // namespace pm
