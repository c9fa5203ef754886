// Where the shared data (skins, localizations) lives: beside the program in
// a build tree (build/bin/skins), or in the installed prefix
// (<prefix>/share/pellmark) when the program runs from <prefix>/bin.
#pragma once

#include <string>

namespace pm {

// The folder "%pellmarkpath%" stands for: programDir when it holds a skins/
// folder, else the installed data folder when that holds one, else
// programDir unchanged.
std::string SharedDataDir(const std::string& programDir);

// The installed data folder compiled into the program ("" when none).
std::string InstalledDataDir();

}  // namespace pm
