// The zip container comes from the "pellmark-zip" module, loaded the first
// time a book is packed.
#include <utility>

#include "common/Module.h"
#include "epub/Book.h"
#include "epub/zip/ZipModule.h"

namespace pm::epub {

std::string ZipPackage(const std::vector<PackageFile>& files, std::time_t modified, std::string* error) {
    std::string why;
    const auto package = ModuleFunction<PmZipPackageFn>(kPmZipModule, kPmZipPackage, &why);
    std::string bytes;
    if (!package) {
        if (error) *error = "the zip container cannot be made: " + why;
        return bytes;
    }
    package(&files, modified, &bytes, error);
    return bytes;
}

}  // namespace pm::epub
