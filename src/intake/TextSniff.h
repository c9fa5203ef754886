// Telling a text file from a binary one by its first bytes, before the
// loader asks anything about its size or its code page.
#pragma once

#include <cstddef>
#include <string_view>

namespace pm::intake {

// Only the start of a file is looked at: enough for any text to show its
// nature, and cheap for files of any size.
inline constexpr size_t kTextSniffBytes = 64 * 1024;
// Text may hold a few stray control characters (an escape, a page number
// in a control code); a binary file is full of them. More than this share,
// in percent of the bytes looked at, makes the file binary.
inline constexpr size_t kMaxControlPercent = 30;

// True when the first kTextSniffBytes of head (the start of a file; bytes
// beyond that are ignored) hold a NUL byte, or when more than
// kMaxControlPercent percent of them are control characters (codes 1 to 31
// and 127) other than the ones text uses for layout: TAB, LF, FF and CR.
// An empty head is text.
bool LooksBinary(std::string_view head);

}  // namespace pm::intake
