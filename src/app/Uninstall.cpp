#include "app/Uninstall.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace pm {

namespace {

std::string DataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
    return {};
}

bool KeyIsEmpty(const ConfigTree& tree, std::string_view key) {
    return tree.SubKeys(key).empty() && tree.Values(key).empty();
}

void DeleteIfEmpty(ConfigTree& tree, std::string_view key) {
    if (tree.KeyExists(key) && KeyIsEmpty(tree, key)) tree.DeleteKey(key);
}

}  // namespace

std::vector<std::string> DesktopEntryPaths() {
    const std::string home = DataHome();
    if (home.empty()) return {};
    return {home + "/applications/pellmark-parse.desktop", home + "/applications/pellmark-read.desktop"};
}

bool RunUninstall(ConfigTree& user, Questions& questions, bool ask, const std::vector<std::string>& desktopEntries) {
    if (ask && !questions.AskYesNo("Reinstall", "Are you sure you want to remove all Pellmark settings from registry?"))
        return false;
    for (const std::string& entry : desktopEntries) {
        std::error_code ec;
        std::filesystem::remove(entry, ec);  // an entry that is not there is fine
    }
    user.DeleteKey(kRootKey);
    DeleteIfEmpty(user, "Software\\Vorn Soft\\Pellmark");
    DeleteIfEmpty(user, "Software\\Vorn Soft");
    user.DeleteKey(kUninstallEntryKey);
    if (ask)
        questions.ShowMessage("Uninstall", "No data is stored for program now. Remove executable manually.",
                              MessageIcon::Information);
    return true;
}

}  // namespace pm
