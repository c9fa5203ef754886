// The finished conversion of the main window as an EPUB book: the document
// values become its metadata, a split book brings its part files, the title
// picture becomes the cover.
#pragma once

#include <string>

#include "epub/Book.h"

namespace pm {

class TMain;

// What the book is made of. Fails (false, one sentence in *error) when a
// part file of a split book cannot be read.
bool EpubSourceOf(const TMain& main, epub::BookSource& book, std::string* error);
// Writes the book to path (atomically); without a result nothing is written.
bool SaveEpubAs(const TMain& main, const std::string& path, std::string* error);

}  // namespace pm
