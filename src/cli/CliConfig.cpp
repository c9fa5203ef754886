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
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return true;
    // A device named as the file (PELLMARK_CONFIG=/dev/null) means no
    // settings; a pipe or a socket is not read, since that could wait forever.
    if (std::filesystem::is_character_file(status)) return true;
    if (!std::filesystem::is_regular_file(status)) {
        std::fprintf(stderr, "pellmark-cli: the configuration file \"%s\" is not a plain file; using the built-in "
                     "defaults.\n", path.c_str());
        return true;
    }
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
