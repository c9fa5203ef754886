// Joins pieces of text into one string, allocated once. Prefer it to a chain
// of "literal" + std::string(...): besides copying less, it keeps GCC 12's
// -Wrestrict false positive on that pattern out of optimised builds.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pm {

inline std::string Concat(std::initializer_list<std::string_view> parts) {
    size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    std::string out;
    out.reserve(size);
    for (std::string_view p : parts) out += p;
    return out;
}

}  // namespace pm
