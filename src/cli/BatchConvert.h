// Converting a whole library at once: several inputs and folders, the books
// side by side on all cores, a progress bar on a terminal and a summary.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/ConvertOptions.h"

namespace pm::cli {

struct BookInput {
    std::string input;     // the file
    std::string relative;  // its name under the folder it was found in (its own name when given directly)
    std::string problem;   // why it cannot be converted before trying ("" none)
};

// A file a folder's conversion takes: .txt, .htm or .html (any case), not
// hidden, not one of the files this program leaves beside a book.
bool IsBookFile(const std::filesystem::path& path);
// The files given, and the book files of the folders given (with -r their
// sub-folders too), each folder's in name order.
std::vector<BookInput> CollectBooks(const std::vector<std::string>& inputs, bool recursive);
// Where each book's output goes: under outputDir by its relative name, or
// beside it, with ext. No output falls on an input or on another output.
std::vector<std::string> OutputNames(const std::vector<BookInput>& books, const std::string& outputDir,
                                     const std::string& ext);
// Converts every book; 0 when all were converted, 1 when any failed, 2 on
// bad settings.
int ConvertBooks(const ConvertOptions& o);

}  // namespace pm::cli
