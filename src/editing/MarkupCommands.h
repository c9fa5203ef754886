// The mark-up commands of the source editor, without the editor: what a
// command wraps around the selection, the wrapping itself, the note a
// comment inserts, and the case commands. Text is in the working code
// page with a carriage return (13) between lines, as the editor gives it.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

struct Settings;

enum FontStyleBits : int { kStyleBold = 1, kStyleItalic = 2 };

struct WrapRequest {
    std::string open, close;
    bool block = false;
    int fontSizeStep = 0;    // added to the editor's font size (display only)
    int styleBits = 0;       // kStyleBold | kStyleItalic, display only
    bool needsSelection = false;
};

// The mark-up commands of the source editor's toolbar.
enum class MarkupCommand { H1, H2, H3, H4, H5, Paragraph, AlignLeft, AlignRight, AlignCenter, AlignJustify, List,
                           UpperIndex, LowerIndex, Bold, Italic };

// What a command wraps; "Convert to paragraph" takes the paragraph tags of
// the settings, or <div align="justify"> … </div> when the start tag is empty.
WrapRequest RequestFor(MarkupCommand command, const Settings& settings);

// The selection with the request's tags around it: line breaks at its ends
// stay outside the tags, a block stands on a line of its own, and runs of
// breaks (in a block) and of spaces are reduced.
std::string WrapSelection(std::string_view selection, const WrapRequest& request);

// The letters of the working code page, Cyrillic included.
std::string UpperCaseSelection(std::string_view selection);
std::string LowerCaseSelection(std::string_view selection);

// "Insert comment": the identifier is two random numbers joined by "~~".
std::string MakeCommentId(std::mt19937& random);
// The window's initial texts: the first 10 characters of the selection and
// "...", and the whole selection.
std::string CommentTitleFor(std::string_view selection);
// The link that replaces the selection, and the note line at the end.
std::string CommentLink(const std::string& id, const std::string& title);
std::string CommentNote(const std::string& id, const std::string& body);
// Where the note line goes among the editor's lines: before the last line
// with text when it holds "</body></html>", else after the last line.
size_t NoteLineIndex(const std::vector<std::string>& lines);

}  // namespace pm
