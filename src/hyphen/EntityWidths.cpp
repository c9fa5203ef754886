// The character whose width a character entity is measured with in the
// device-fitted pass.
#include <array>
#include <string>

#include "common/Cp1251.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

struct StandIn {
    std::string_view name;
    unsigned char c;
};

constexpr std::array<StandIn, 19> kStandIns = {{
    {"&quot", '"'},   {"&lt", '<'},      {"&gt", '>'},      {"&amp", '&'},    {"&nbsp", ' '},
    {"&iexcl", '!'},  {"&acute", '\''},  {"&micro", 'i'},   {"&sect", 167},   {"&copy", 169},
    {"&laquo", 171},  {"&plusmn", 177},  {"&curren", 164},  {"&brvbar", 166}, {"&not", 172},
    {"&reg", 174},    {"&deg", 176},     {"&para", 182},    {"&macr", 151},
}};

}  // namespace

unsigned char EntityStandIn(std::string_view name) {
    const std::string lowered = cp1251::LowerCase(name);
    for (const StandIn& s : kStandIns)
        if (lowered == s.name) return s.c;
    return '?';  // every other entity, "&raquo" and "&shy" among them
}

}  // namespace pm::hyph
