// The named character references this program knows: "amp", "lt", "gt",
// "quot", then the HTML 4.0 Latin-1 names in code order ("nbsp" 160 through
// "yuml" 255). Names are case-sensitive ("Agrave" is not "agrave").
#pragma once

#include <array>
#include <string_view>

namespace pm {

struct EntityName {
    std::string_view name;
    int code;
};

extern const std::array<EntityName, 100> kEntityTable;

// The Unicode code point of a named reference ("mdash" without "&" and
// ";"): the table above, then the HTML 4.0 names beyond Latin-1 that books
// use (dashes, quotes, the ellipsis, the numero sign ...). -1 when unknown.
int EntityCodePoint(std::string_view name);

}  // namespace pm
