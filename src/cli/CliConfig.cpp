#include "cli/CliConfig.h"

#include "config/ConfigStore.h"
#include "config/RegFile.h"
#include "config/SettingsLookup.h"

namespace pm::cli {

bool LoadCliConfig(const std::string& regFile, bool noConfig, ConfigTree& tree, std::string& error) {
    if (noConfig) return true;
    if (!regFile.empty()) return ReadRegeditFile(regFile, tree, &error);
    ConfigStore store;
    if (!store.Load()) {
        error = store.warning;
        return false;
    }
    tree = std::move(store.user);
    return true;
}

bool ApplyCliSetting(Settings& settings, const std::string& name, const std::string& value, std::string& error) {
    return SetSettingFromText(settings, name, value, &error);
}

}  // namespace pm::cli
