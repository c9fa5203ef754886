#include "reader/BookMarkers.h"

#include <cmath>
#include <limits>

#include "common/Cp1251.h"
#include "common/TextTests.h"

namespace pm::reader {
namespace {

constexpr std::string_view kBodyOpenTag = "<BODY";
constexpr std::string_view kBodyCloseTag = "</BODY>";
constexpr std::string_view kLineTag = "<BOOKMARK ";
constexpr std::string_view kIdAttr = "ID=\"";
constexpr std::string_view kNameAttr = "NM=\"";
constexpr std::string_view kNameEnd = "\">";
constexpr std::string_view kQuoteSpace = "\" ";

bool UpperEquals(std::string_view s, size_t at, std::string_view upper) {
    return at <= s.size() && s.size() - at >= upper.size() &&
           cp1251::UpperCase(s.substr(at, upper.size())) == upper;
}

// One "<BOOKMARK ID="n" NM="name">" line at the '<' at `at` of the block.
// Returns the bookmark and moves `next` past what it read; nothing when the
// line does not match.
std::optional<Bookmark> ReadLine(std::string_view block, size_t at, size_t& next) {
    if (!UpperEquals(block, at, kLineTag)) return std::nullopt;
    const size_t idAt = at + kLineTag.size();
    if (!UpperEquals(block, idAt, kIdAttr)) return std::nullopt;
    const size_t idFrom = idAt + kIdAttr.size();
    const size_t idEnd = block.find('"', idFrom);
    if (idEnd == std::string_view::npos) return std::nullopt;
    const size_t gap = block.find(kQuoteSpace, idEnd);
    if (gap == std::string_view::npos) return std::nullopt;
    const size_t nameAt = gap + kQuoteSpace.size();
    if (block.substr(nameAt, kNameAttr.size()) != kNameAttr) return std::nullopt;  // case as written
    const size_t nameFrom = nameAt + kNameAttr.size();
    const size_t nameEnd = block.find(kNameEnd, nameFrom);
    if (nameEnd == std::string_view::npos) return std::nullopt;
    const std::optional<int32_t> id = ParseDecimal(block.substr(idFrom, idEnd - idFrom));
    if (!id) return std::nullopt;
    next = nameEnd + kNameEnd.size();
    return Bookmark{*id, std::string(block.substr(nameFrom, nameEnd - nameFrom))};
}

}  // namespace

bool ProducedByPellmark(std::string_view text) {
    constexpr std::string_view kBlockStartNoSpace = kBlockStart.substr(0, kBlockStart.size() - 1);
    return text.find(kGeneratorMark) != std::string_view::npos ||
           text.find(kBlockStartNoSpace) != std::string_view::npos;
}

bool DeclaresUtf8(std::string_view head) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") return true;
    // As the browser reads the page: the first meta tag that names a code
    // page decides. A "charset" of a script or a style sheet is theirs alone.
    constexpr std::string_view kMeta = "<meta";
    constexpr std::string_view kCharset = "charset";
    for (size_t at = 0; (at = text::FindNoCase(head, kMeta, at)) != std::string_view::npos; at += kMeta.size()) {
        const size_t end = head.find('>', at);
        const std::string_view tag = head.substr(at, end == std::string_view::npos ? end : end - at);
        size_t v = text::FindNoCase(tag, kCharset);
        if (v == std::string_view::npos) continue;
        v += kCharset.size();
        while (v < tag.size() && (tag[v] == ' ' || tag[v] == '=' || tag[v] == '"' || tag[v] == '\'')) ++v;
        return text::StartsWithNoCase(tag.substr(v), "utf-8") || text::StartsWithNoCase(tag.substr(v), "utf8");
    }
    return false;
}

std::string HeadText(std::string_view text) {
    const size_t open = text::FindNoCase(text, kBodyOpenTag);
    return open == std::string_view::npos ? std::string() : std::string(text.substr(0, open));
}

std::string TailText(std::string_view text) {
    size_t last = std::string_view::npos;
    for (size_t at = 0; (at = text::FindNoCase(text, kBodyCloseTag, at)) != std::string_view::npos; ++at) last = at;
    return last == std::string_view::npos ? std::string() : std::string(text.substr(last + kBodyCloseTag.size()));
}

std::vector<Bookmark> ReadBookmarks(std::string_view text) {
    std::vector<Bookmark> out;
    const size_t start = text.find(kBlockStart);
    if (start == std::string_view::npos) return out;
    const size_t end = text.find(kBlockEnd, start);
    if (end == std::string_view::npos) return out;
    const std::string_view block = text.substr(start, end + kBlockEnd.size() - start);
    for (size_t at = block.find('<'); at != std::string_view::npos; at = block.find('<', at)) {
        size_t next = at + 1;
        if (std::optional<Bookmark> b = ReadLine(block, at, next)) out.push_back(std::move(*b));
        at = next;
    }
    return out;
}

std::optional<int32_t> ParseDecimal(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

StoredPosition ReadPosition(std::string_view text) {
    StoredPosition p;
    const size_t mark = text.find(kPositionMark);
    if (mark == std::string_view::npos) return p;
    p.marked = true;
    const std::string_view window = text.substr(mark + kPositionMark.size(), kPositionWindow);
    const size_t quote = window.find('"');
    if (quote != std::string_view::npos) p.value = ParseDecimal(window.substr(0, quote));
    return p;
}

std::string CommentSafeName(std::string_view name) {
    // A browser ends a comment at "--!>" as well as at "-->".
    std::string safe = text::ReplaceAll(std::string(name), "<!--", "<!- -");
    return text::ReplaceAll(text::ReplaceAll(safe, "-->", "- ->"), "--!>", "- -!>");
}

std::string BookmarkBlock(const std::vector<Bookmark>& bookmarks, int32_t position) {
    std::string out(kBlockStart);
    out += kBlockBreak;
    for (const Bookmark& b : bookmarks) {
        out += "<BOOKMARK ID=\"";
        out += std::to_string(b.id);
        out += "\" NM=\"";
        out += CommentSafeName(b.name);
        out += "\">";
        out += kBlockBreak;
    }
    out += kBlockEnd;
    out += kPositionMark;
    out += std::to_string(position);
    out += kPositionEnd;
    out += kBodyClose;
    return out;
}

std::optional<std::string> ComposeBook(std::string_view head, std::string_view bodyOuterHtml,
                                       const std::vector<Bookmark>& bookmarks, int32_t position,
                                       std::string_view tail) {
    if (bodyOuterHtml.size() <= kBodyClose.size()) return std::nullopt;
    std::string_view body = bodyOuterHtml.substr(0, bodyOuterHtml.size() - kBodyClose.size());
    // The view keeps the block of an earlier save inside the body.
    if (const size_t old = body.find(kBlockStart); old != std::string_view::npos) body = body.substr(0, old);
    const std::string block = BookmarkBlock(bookmarks, position);
    std::string out;
    out.reserve(head.size() + body.size() + block.size() + tail.size());
    out += head;
    out += body;
    out += block;
    out += tail;
    return out;
}

int32_t RelativePosition(int scrollTop, int scrollHeight) {
    if (scrollHeight <= 0 || scrollTop <= 0) return 0;
    const double r = std::round(double(scrollTop) / double(scrollHeight) * double(kRelativeScale));
    return r >= double(kRelativeScale) ? kRelativeScale : static_cast<int32_t>(r);
}

int PixelsOf(int32_t relative, int scrollHeight) {
    if (scrollHeight <= 0 || relative <= 0) return 0;
    return static_cast<int>(std::lround(double(scrollHeight) / double(kRelativeScale) * double(relative)));
}

}  // namespace pm::reader
