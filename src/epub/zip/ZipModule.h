// The "pellmark-zip" module: the zip container through libzip, loaded only
// when a book is packed (common/Module.h).
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "epub/Book.h"

// The container of files into *bytes, or false with *error set.
using PmZipPackageFn = bool (*)(const std::vector<pm::epub::PackageFile>* files, std::time_t modified,
                                std::string* bytes, std::string* error);
inline constexpr char kPmZipModule[] = "pellmark-zip";
inline constexpr char kPmZipPackage[] = "pm_zip_package";
