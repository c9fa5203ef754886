// The list behind the "language" setting: each entry's Windows primary
// language identifier names the keyboard layout used while text goes into or
// out of the source editor.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pm {

struct LanguageEntry {
    std::string_view name;
    uint8_t primaryId;
};

// 43 entries; "language" is a 0-based index into it (34 is Russian).
std::span<const LanguageEntry> Languages();
inline constexpr int32_t kDefaultLanguage = 34;
// The entry at index; an index outside the list gives the default entry.
const LanguageEntry& LanguageAt(int32_t index);
// "000004" + the identifier in two upper-case hex digits ("00000419").
std::string KeyboardLayoutName(int32_t index);

}  // namespace pm
