// The finished book as it goes to an e-book reader: the preview file is
// written anew from the result (which may have been edited since), then the
// book is that file, or the part files and index of a split book.
#pragma once

#include <string>
#include <vector>

#include "shell/Device.h"

namespace pm {

class TMain;

// False with one sentence in *error when there is no result or the preview
// file cannot be written.
bool FinishedBook(TMain& main, std::vector<shell::BookFile>& book, std::string* error);

}  // namespace pm
