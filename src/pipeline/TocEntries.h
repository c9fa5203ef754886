// The headers of a finished document as the table-of-contents stage sees
// them, shared by its single-file and split forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pipeline/ConversionContext.h"

namespace pm::toc {

struct TocEntry {
    std::string text;  // as listed for confirmation, at most 100 characters
    size_t line = 0;   // index of the header line when collected
    int level = 1;     // 1..6
    bool checked = true;
};

// The first of "<h1>".."<h6" in the line, tried in that order; npos if none.
size_t TagStart(std::string_view line);
bool IsHeaderLine(std::string_view line);

// The listed headers from index 3 on, and the lowest level among them
// (at most 3).
std::vector<TocEntry> CollectEntries(const LineList& lines, int& lowestLevel);
// Lets the user uncheck entries when "Confirm table of content" is on.
void ConfirmEntries(ConversionContext& ctx, std::vector<TocEntry>& entries);
bool AnyEntryChecked(const std::vector<TocEntry>& entries);

// The entry text with a trailing " >>>" written as entities.
std::string DisplayText(const std::string& text);
// Strips the header tags of line k and the page-break rule above it.
void RemoveHeader(LineList& lines, size_t k);

// Writes every checked chapter into a part file and makes the line list the
// index. False (with the document left whole) when a file cannot be written.
bool SplitIntoParts(ConversionContext& ctx, const std::vector<TocEntry>& entries);

}  // namespace pm::toc
