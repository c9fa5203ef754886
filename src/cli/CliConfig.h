// The configuration the headless front end works with. It never writes the
// user's configuration (only "config import" does).
#pragma once

#include <string>

#include "config/ConfigTree.h"
#include "config/Settings.h"

namespace pm::cli {

// The tree from a .reg file, the built-in defaults (empty tree), or the
// user's configuration file.
bool LoadCliConfig(const std::string& regFile, bool noConfig, ConfigTree& tree, std::string& error);
// One "--set" option: a setting by its stored name, typed by the table.
bool ApplyCliSetting(Settings& settings, const std::string& name, const std::string& value, std::string& error);

}  // namespace pm::cli
