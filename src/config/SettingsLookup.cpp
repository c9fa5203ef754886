#include "config/SettingsLookup.h"
#include "common/Concat.h"

#include <array>
#include <charconv>

#include "common/Cp1251.h"

namespace pm {
namespace {

#define PM_SETTING_B(member, name, def) \
    SettingInfo{name, SettingType::Bool, &Settings::member, nullptr, nullptr, &Settings::Set##member, nullptr, nullptr},
#define PM_SETTING_I(member, name, def) \
    SettingInfo{name, SettingType::Int, nullptr, &Settings::member, nullptr, nullptr, &Settings::Set##member, nullptr},
#define PM_SETTING_S(member, name, def) \
    SettingInfo{name, SettingType::String, nullptr, nullptr, &Settings::member, nullptr, nullptr, &Settings::Set##member},
#define PM_SETTING(type, member, name, def) PM_SETTING_##type(member, name, def)
const SettingInfo kSettings[] = {
#include "config/SettingsTable.inc"
};
#undef PM_SETTING
#undef PM_SETTING_B
#undef PM_SETTING_I
#undef PM_SETTING_S

bool ParseInt(std::string_view text, int32_t& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool ParseBool(std::string_view text, bool& out) {
    if (text == "1" || cp1251::EqualsNoCase(text, "true")) return out = true, true;
    if (text == "0" || cp1251::EqualsNoCase(text, "false")) return out = false, true;
    return false;
}

bool Fail(std::string* error, std::string sentence) {
    if (error) *error = std::move(sentence);
    return false;
}

// "Recent reader file 3" -> 3, "Recent reader file pos 3" -> 3 with pos set.
bool RecentIndex(std::string_view name, size_t& index, bool& pos) {
    constexpr std::string_view kFile = "Recent reader file ", kPos = "pos ";
    if (name.size() < kFile.size() + 1 || !cp1251::EqualsNoCase(name.substr(0, kFile.size()), kFile)) return false;
    name.remove_prefix(kFile.size());
    pos = name.size() == kPos.size() + 1 && cp1251::EqualsNoCase(name.substr(0, kPos.size()), kPos);
    if (pos) name.remove_prefix(kPos.size());
    if (name.size() != 1 || name[0] < '0' || name[0] > '9') return false;
    index = static_cast<size_t>(name[0] - '0');
    return true;
}

std::string Quoted(std::string_view s) { return Concat({"\"", s, "\""}); }

}  // namespace

std::span<const SettingInfo> AllSettings() { return kSettings; }

const SettingInfo* FindSetting(std::string_view storedName) {
    for (const SettingInfo& info : kSettings)
        if (cp1251::EqualsNoCase(info.name, storedName)) return &info;
    return nullptr;
}

std::string SettingText(const Settings& s, const SettingInfo& info) {
    switch (info.type) {
        case SettingType::Bool: return s.*info.b ? "1" : "0";
        case SettingType::Int: return std::to_string(s.*info.i);
        case SettingType::String: break;
    }
    return s.*info.s;
}

bool SetSettingFromText(Settings& s, std::string_view storedName, std::string_view value, std::string* error) {
    size_t index = 0;
    bool pos = false;
    if (RecentIndex(storedName, index, pos)) {
        int32_t n = 0;
        if (!pos) s.SetRecentFile(index, std::string(value));
        else if (ParseInt(value, n)) s.SetRecentPosition(index, n);
        else return Fail(error, "The setting " + Quoted(storedName) + " needs a 32-bit whole number, not " + Quoted(value) + ".");
        return true;
    }
    const SettingInfo* info = FindSetting(storedName);
    if (!info) return Fail(error, "There is no setting named " + Quoted(storedName) + ".");
    if (info->type == SettingType::Bool) {
        bool b = false;
        if (!ParseBool(value, b))
            return Fail(error, "The setting " + Quoted(info->name) + " needs 0, 1, true or false, not " + Quoted(value) + ".");
        (s.*info->setB)(b);
    } else if (info->type == SettingType::Int) {
        int32_t n = 0;
        if (!ParseInt(value, n))
            return Fail(error, "The setting " + Quoted(info->name) + " needs a 32-bit whole number, not " + Quoted(value) + ".");
        (s.*info->setI)(n);
    } else {
        (s.*info->setS)(std::string(value));
    }
    return true;
}

}  // namespace pm
