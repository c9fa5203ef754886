#include "common/DataDir.h"

#include <filesystem>
#include <system_error>

namespace pm {

namespace fs = std::filesystem;

std::string InstalledDataDir() {
#ifdef PELLMARK_DATA_DIR
    return PELLMARK_DATA_DIR;
#else
    return {};
#endif
}

std::string SharedDataDir(const std::string& programDir) {
    std::error_code ec;
    if (fs::is_directory(fs::path(programDir) / "skins", ec)) return programDir;
    const std::string installed = InstalledDataDir();
    if (!installed.empty() && fs::is_directory(fs::path(installed) / "skins", ec)) return installed;
    return programDir;
}

}  // namespace pm
