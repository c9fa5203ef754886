#include "cli/CliConfig.h"

namespace pm::cli {

bool LoadCliConfig(const std::string& regFile, bool /*noConfig*/, ConfigTree& /*tree*/, std::string& error) {
    if (!regFile.empty()) {
        error = "--config is not available in this build";
        return false;
    }
    return true;
}

bool ApplyCliSetting(Settings&, const std::string& name, const std::string&, std::string& error) {
    error = "unknown setting \"" + name + "\"";
    return false;
}

}  // namespace pm::cli
