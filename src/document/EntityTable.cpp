#include "document/EntityTable.h"

namespace pm {
namespace {

constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

constexpr std::array<EntityName, 100> BuildTable() {
    std::array<EntityName, 100> t{};
    t[0] = {"amp", 38};
    t[1] = {"lt", 60};
    t[2] = {"gt", 62};
    t[3] = {"quot", 34};
    for (size_t i = 0; i < kLatin1Names.size(); ++i) t[4 + i] = {kLatin1Names[i], static_cast<int>(160 + i)};
    return t;
}

// Named references beyond the Latin-1 set.
struct ExtraEntity {
    std::string_view name;
    char32_t cp;
};
constexpr std::array<ExtraEntity, 21> kExtraEntities = {{
    {"apos", 0x27},     {"ndash", 0x2013},  {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D}, {"bdquo", 0x201E}, {"dagger", 0x2020},
    {"Dagger", 0x2021}, {"bull", 0x2022},   {"hellip", 0x2026}, {"permil", 0x2030}, {"lsaquo", 0x2039},
    {"rsaquo", 0x203A}, {"euro", 0x20AC},   {"trade", 0x2122}, {"numero", 0x2116}, {"ensp", 0x2002},
    {"emsp", 0x2003},
}};

}  // namespace

const std::array<EntityName, 100> kEntityTable = BuildTable();

int EntityCodePoint(std::string_view name) {
    for (const auto& e : kEntityTable)
        if (e.name == name) return e.code;
    for (const auto& e : kExtraEntities)
        if (e.name == name) return static_cast<int>(e.cp);
    return -1;
}

}  // namespace pm
