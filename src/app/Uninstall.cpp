#include "app/Uninstall.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "shell/DesktopEntries.h"

namespace pm {

namespace {

bool KeyIsEmpty(const ConfigTree& tree, std::string_view key) {
    return tree.SubKeys(key).empty() && tree.Values(key).empty();
}

void DeleteIfEmpty(ConfigTree& tree, std::string_view key) {
    if (tree.KeyExists(key) && KeyIsEmpty(tree, key)) tree.DeleteKey(key);
}

}  // namespace

std::vector<std::string> DesktopEntryPaths() { return shell::ShellEntryPaths(shell::ApplicationsFolder()); }

bool RunUninstall(ConfigTree& user, Questions& questions, bool ask, const std::vector<std::string>& desktopEntries) {
    if (ask && !questions.AskYesNo("Reinstall", "Are you sure you want to remove all Pellmark settings from registry?"))
        return false;
    std::set<std::string> touched;
    for (const std::string& entry : desktopEntries) {
        std::error_code ec;
        if (std::filesystem::remove(entry, ec)) touched.insert(std::filesystem::path(entry).parent_path().string());
    }
    for (const std::string& folder : touched) shell::RefreshMimeCache(folder);
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
