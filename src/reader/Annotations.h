// Notes and bookmarks as they are written into the page: the mark-up built
// from the templates, the name suggested for a bookmark, the bookmark ID and
// the order of the bookmark menu. Windows-1251 text throughout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/Templates.h"
#include "reader/BookMarkers.h"

namespace pm::reader {

// The note window's lines as they go into the note's script: apostrophes
// as "&rsquo;", double quotes as "&quot;", backslashes doubled, the lines
// joined with "<br>"; "<!--" gets a space between its dashes, so that no
// note passes for the bookmark comment.
std::string NoteText(const std::vector<std::string>& lines);

// "Scriptcode1" + note text + "Scriptcode2" + the noted text + "Scriptcode3".
// The noted text is the selection's plain text, kept plain: "&", "<" and ">"
// are written as entities.
std::string NoteMarkup(const Templates& templates, std::string_view noteText, std::string_view selectionText);

// "bookmarkpref" + " id=" + ID + " name=" + ID + ">" + the selection's HTML + "</a>".
std::string BookmarkMarkup(const Templates& templates, int32_t id, std::string_view selectionHtml);

// The name suggested for a bookmark on that HTML: line breaks and tags
// dropped, then "&nbsp;", "&shy;" and the soft hyphen, then the first 50
// characters.
std::string SuggestBookmarkName(std::string_view selectionHtml);

// How far past the page's position a new bookmark's ID may lie (0 to 19).
inline constexpr int kBookmarkIdSpread = 20;
// The page's relative position plus offset (0 to 19), kept within 32 bits.
int32_t BookmarkId(int32_t relative, int offset);

// Puts the bookmark before the first one whose ID is greater or equal, or at
// the end; returns where it went.
size_t InsertOrdered(std::vector<Bookmark>& bookmarks, Bookmark bookmark);

// The anchors to strip in the page when the bookmark editor's list replaces
// the menu: the IDs of removed bookmarks, other than 0, that no remaining
// entry still uses.
std::vector<int32_t> RemovedAnchors(const std::vector<Bookmark>& before, const std::vector<Bookmark>& after);

}  // namespace pm::reader
