// The settings record by stored name: what the command line, the options
// panel and the loader use to reach a field without naming its member.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "config/Settings.h"

namespace pm {

enum class SettingType { Bool, Int, String };

struct SettingInfo {
    std::string_view name;  // stored name, as in the table
    SettingType type;
    bool Settings::*b = nullptr;
    int32_t Settings::*i = nullptr;
    std::string Settings::*s = nullptr;
    void (Settings::*setB)(bool) = nullptr;
    void (Settings::*setI)(int32_t) = nullptr;
    void (Settings::*setS)(std::string) = nullptr;
};

// Every field of the table, in load and save order (the recent reader list
// is not among them; see SetSettingFromText).
std::span<const SettingInfo> AllSettings();
// Case-insensitive; null when no field has that name.
const SettingInfo* FindSetting(std::string_view storedName);

// The current value as text: "1"/"0", a decimal number, or the string.
std::string SettingText(const Settings& s, const SettingInfo& info);

// Sets one value from text through its setter, typed by the table: a boolean
// takes 0, 1, true or false; an integer a 32-bit decimal number; a string
// anything. "Recent reader file N" and "Recent reader file pos N" (N 0-9)
// are accepted too. Text is Windows-1251. False with one sentence in *error
// for an unknown name or a bad value, the record then unchanged.
bool SetSettingFromText(Settings& s, std::string_view storedName, std::string_view value, std::string* error);

}  // namespace pm
