#include "cli/CliConfig.h"

#include <cstdio>
#include <filesystem>

#include "common/Cp1251.h"

#include "config/ConfigStore.h"
#include "config/RegFile.h"
#include "config/SettingsLookup.h"

namespace pm::cli {

bool LoadCliConfig(const std::string& regFile, bool noConfig, ConfigTree& tree, std::string& error) {
    if (noConfig) return true;
    if (!regFile.empty()) return ReadRegeditFile(regFile, tree, &error);
    // The user's file is only read here: a file that cannot be parsed is
    // reported and left alone (the desktop program moves it aside).
    const std::string path = DefaultConfigPath();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return true;
    std::string why;
    if (!ReadRegeditFile(path, tree, &why)) {
        // The reason names the file as given (UTF-8) and ends a sentence.
        if (!why.empty() && why.back() == '.') why.pop_back();
        std::fprintf(stderr, "pellmark-cli: %s; using the built-in defaults.\n", why.c_str());
        tree = ConfigTree();
    }
    return true;
}

bool ApplyCliSetting(Settings& settings, const std::string& name, const std::string& value, std::string& error) {
    return SetSettingFromText(settings, name, value, &error);
}

}  // namespace pm::cli
