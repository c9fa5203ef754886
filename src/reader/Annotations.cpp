#include "reader/Annotations.h"

#include <algorithm>

#include "common/TextTests.h"

namespace pm::reader {
namespace {

constexpr size_t kSuggestedNameLength = 50;
constexpr char kSoftHyphen = '\xAD';

}  // namespace

std::string NoteText(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t n = 0; n < lines.size(); ++n) {
        if (n) out += "<br>";
        for (char c : lines[n]) {
            if (c == '\'') out += "&rsquo;";
            else if (c == '"') out += "&quot;";
            // The note stands inside a single-quoted script string: a
            // backslash of its own would escape the next character.
            else if (c == '\\') out += "\\\\";
            else out += c;
        }
    }
    // Saving cuts the page where the bookmark comment starts: a note never
    // opens a comment of its own.
    return text::ReplaceAll(out, "<!--", "<!- -");
}

std::string NoteMarkup(const Templates& templates, std::string_view noteText, std::string_view selectionText) {
    std::string out = templates.Get("Scriptcode1");
    out += noteText;
    out += templates.Get("Scriptcode2");
    for (char c : selectionText) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    out += templates.Get("Scriptcode3");
    return out;
}

std::string BookmarkMarkup(const Templates& templates, int32_t id, std::string_view selectionHtml) {
    const std::string n = std::to_string(id);
    std::string out = templates.Get("bookmarkpref");
    out += " id=";
    out += n;
    out += " name=";
    out += n;
    out += ">";
    out += selectionHtml;
    out += "</a>";
    return out;
}

std::string SuggestBookmarkName(std::string_view html) {
    std::string plain;
    bool inTag = false;
    for (char c : html) {
        if (c == '\r' || c == '\n') continue;
        if (inTag) {
            inTag = c != '>';
        } else if (c == '<') {
            inTag = true;
        } else {
            plain += c;
        }
    }
    std::string name = text::ReplaceAll(text::ReplaceAll(plain, "&nbsp;", ""), "&shy;", "");
    std::erase(name, kSoftHyphen);
    if (name.size() > kSuggestedNameLength) name.resize(kSuggestedNameLength);
    return name;
}

int32_t BookmarkId(int32_t relative, int offset) {
    const int64_t id = int64_t(relative) + offset;
    return static_cast<int32_t>(std::clamp<int64_t>(id, 0, kRelativeScale));
}

size_t InsertOrdered(std::vector<Bookmark>& bookmarks, Bookmark bookmark) {
    const auto at = std::find_if(bookmarks.begin(), bookmarks.end(),
                                 [&](const Bookmark& b) { return b.id >= bookmark.id; });
    const size_t index = static_cast<size_t>(at - bookmarks.begin());
    bookmarks.insert(at, std::move(bookmark));
    return index;
}

std::vector<int32_t> RemovedAnchors(const std::vector<Bookmark>& before, const std::vector<Bookmark>& after) {
    std::vector<int32_t> out;
    for (const Bookmark& b : before) {
        if (b.id == 0) continue;
        const bool kept = std::any_of(after.begin(), after.end(), [&](const Bookmark& a) { return a.id == b.id; });
        if (!kept && std::find(out.begin(), out.end(), b.id) == out.end()) out.push_back(b.id);
    }
    return out;
}

}  // namespace pm::reader
