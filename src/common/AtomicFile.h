// Whole-file reading and atomic writing: a file is written to a temporary
// file beside it and renamed into place, so a failure leaves the old file
// intact.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// On failure returns false and puts one sentence naming the file and the
// reason into *error (when given).
bool ReadWholeFile(const std::string& path, std::string& out, std::string* error = nullptr);
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace pm
