// The tables of interface and message texts: built once from a default list
// and copied (a copy of a built table costs no comparisons), looked up with
// the key itself as the text of an unknown key.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace pm {

using TextTable = std::map<std::string, std::string, std::less<>>;

template <const auto& defaults>
const TextTable& DefaultTable() {
    static const TextTable table = [] {
        TextTable t;
        for (const auto& [k, v] : defaults) t.emplace(std::string(k), std::string(v));
        return t;
    }();
    return table;
}

// The text of key; an unknown key gives itself, kept in unknown.
inline const std::string& LookupText(const TextTable& table, TextTable& unknown, std::string_view key) {
    if (auto it = table.find(key); it != table.end()) return it->second;
    return unknown.try_emplace(std::string(key), std::string(key)).first->second;
}

}  // namespace pm
