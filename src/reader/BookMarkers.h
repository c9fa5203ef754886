// What the reader keeps inside a book: the bookmark list and the reading
// position, as two HTML comments in front of the closing body tag, and the
// marks by which a book made by this program is known. Nothing else of the
// book is parsed here; the page itself is the web view's business.
//
// All text is Windows-1251, as the book's bytes are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pm::reader {

// The header meta tag every document of this program carries.
inline constexpr std::string_view kGeneratorMark = "<meta name=\"Generator\" content=\"Pellmark\">";
// The bookmark list comment: the start (with its trailing space, 31
// characters) and the end (with its leading space, 30 characters).
inline constexpr std::string_view kBlockStart = "<!-- Vorn's Pellmark bookmarks ";
inline constexpr std::string_view kBlockEnd = " Vorn's Pellmark bookmarks -->";
// The position comment up to its number (31 characters).
inline constexpr std::string_view kPositionMark = "<!-- Vorn's Pellmark position=\"";
inline constexpr std::string_view kPositionEnd = "\" -->";
static_assert(kBlockStart.size() == 31 && kBlockEnd.size() == 30 && kPositionMark.size() == 31);
// The closing body tag a saved book ends its body with.
inline constexpr std::string_view kBodyClose = "</body>";
// The line break of the bookmark block: LF then CR, in that order.
inline constexpr std::string_view kBlockBreak = "\n\r";
// How many characters after the position mark may hold the number and its
// closing quote.
inline constexpr size_t kPositionWindow = 36;

// Relative positions run from 0 (top) to this (bottom) whatever the window
// and text size.
inline constexpr int32_t kRelativeScale = 2147483647;

struct Bookmark {
    int32_t id = 0;    // the anchor's id and name in the page
    std::string name;  // the menu caption
    bool operator==(const Bookmark&) const = default;
};

// The book carries the generator meta tag or a bookmark block of ours.
bool ProducedByPellmark(std::string_view text);

// The book's bytes are UTF-8 by its own word: a byte-order mark, or a
// "charset=utf-8" in the first meta tag of its head that names a code page.
// Everything else is read as Windows-1251.
bool DeclaresUtf8(std::string_view head);

// Everything before the first "<BODY" (any case); empty without one.
std::string HeadText(std::string_view text);
// Everything after the last "</BODY>" (any case); empty without one.
std::string TailText(std::string_view text);

// The bookmarks of the first bookmark block, in the order written. Lines
// that do not match, and lines whose ID is not a decimal integer, are
// skipped. Without a start or an end marker there are none.
std::vector<Bookmark> ReadBookmarks(std::string_view text);

// The stored position, when the book has a position comment.
struct StoredPosition {
    bool marked = false;            // the comment is there
    std::optional<int32_t> value;   // its number, when it is a valid integer
};
StoredPosition ReadPosition(std::string_view text);

// A decimal integer with an optional sign that fits 32 bits, and nothing else.
std::optional<int32_t> ParseDecimal(std::string_view digits);

// A bookmark name as the block writes it: names are written unescaped,
// but "<!--", "-->" and "--!>" get a space between their dashes, so that no
// name ends the comment early or passes for the position comment.
std::string CommentSafeName(std::string_view name);

// The bytes written in front of the book's tail: the bookmark comment, the
// position comment and "</body>".
std::string BookmarkBlock(const std::vector<Bookmark>& bookmarks, int32_t position);

// The whole book as it is written back: the head as it was read, the body
// as the view serialises it (its closing tag and any block of an earlier
// save cut off), the new block, the tail as it was read. Nothing when the
// body is empty.
std::optional<std::string> ComposeBook(std::string_view head, std::string_view bodyOuterHtml,
                                       const std::vector<Bookmark>& bookmarks, int32_t position,
                                       std::string_view tail);

// scrollTop / scrollHeight scaled to kRelativeScale and rounded; 0 for an
// empty page.
int32_t RelativePosition(int scrollTop, int scrollHeight);
// The pixel offset of a relative position in a page of that height.
int PixelsOf(int32_t relative, int scrollHeight);

}  // namespace pm::reader
