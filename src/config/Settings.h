// The settings record: the program's in-memory copy of every value stored
// directly under the configuration root. Stages read the fields directly;
// changes go through the setters so that their side effects (tag pairs,
// clamping, the options panel row) always happen.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pm {

struct RecentReaderEntry {
    std::string path;
    int32_t position = 0;
};

struct Settings {
#define PM_SETTING_B(member, name, def) bool member = def;
#define PM_SETTING_I(member, name, def) int32_t member = def;
#define PM_SETTING_S(member, name, def) std::string member = def;
#define PM_SETTING(type, member, name, def) PM_SETTING_##type(member, name, def)
#include "config/SettingsTable.inc"
#undef PM_SETTING
#undef PM_SETTING_B
#undef PM_SETTING_I
#undef PM_SETTING_S

    // Ten recent books of the reader, "Recent reader file N" / "... pos N".
    std::array<RecentReaderEntry, 10> recent{};
};

}  // namespace pm
