// Removal of everything the program stores for the user: the configuration
// data under "Software\Vorn Soft\Pellmark\1.00" (and its parents when they
// are left empty), the uninstall entry, and the desktop entries that stand
// for the shell verbs.
#pragma once

#include <string>
#include <vector>

#include "config/ConfigTree.h"
#include "platform/Questions.h"

namespace pm {

inline constexpr const char* kUninstallEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pellmark 1.00";

// The desktop entries of the "Parse with Pellmark" and "Read with Pellmark"
// verbs (shell/DesktopEntries.h): $XDG_DATA_HOME/applications (or
// ~/.local/share/applications).
std::vector<std::string> DesktopEntryPaths();

// Removes the configuration data from the tree and deletes the desktop
// entries that exist. With ask, the user confirms first ("Reinstall") and
// hears the closing message ("Uninstall"). False when the user declined.
bool RunUninstall(ConfigTree& user, Questions& questions, bool ask, const std::vector<std::string>& desktopEntries);

}  // namespace pm
