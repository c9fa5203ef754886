#include "config/Languages.h"

#include <cstdio>
#include <iterator>

namespace pm {
namespace {

constexpr LanguageEntry kLanguages[] = {
    {"Afrikaans", 0x36},  {"Albanian", 0x1C},   {"Arabic", 0x01},     {"Basque", 0x2D},    {"Belarusian", 0x23},
    {"Bulgarian", 0x02},  {"Catalan", 0x03},    {"Chinese", 0x04},    {"Croatian", 0x1A},  {"Czech", 0x05},
    {"Danish", 0x06},     {"Dutch", 0x13},      {"English", 0x09},    {"Estonian", 0x25},  {"Faeroese", 0x38},
    {"Farsi", 0x29},      {"Finnish", 0x0B},    {"French", 0x0C},     {"German", 0x07},    {"Greek", 0x08},
    {"Hebrew", 0x0D},     {"Hungarian", 0x0E},  {"Icelandic", 0x0F},  {"Indonesian", 0x21}, {"Italian", 0x10},
    {"Japanese", 0x11},   {"Korean", 0x12},     {"Latvian", 0x26},    {"Lithuanian", 0x27}, {"Neutral", 0x00},
    {"Norwegian", 0x14},  {"Polish", 0x15},     {"Portuguese", 0x16}, {"Romanian", 0x18},  {"Russian", 0x19},
    {"Serbian", 0x1A},    {"Slovak", 0x1B},     {"Slovenian", 0x24},  {"Spanish", 0x0A},   {"Swedish", 0x1D},
    {"Thai", 0x1E},       {"Turkish", 0x1F},    {"Vietnamese", 0x2A},
};
static_assert(std::size(kLanguages) == 43);

}  // namespace

std::span<const LanguageEntry> Languages() { return kLanguages; }

const LanguageEntry& LanguageAt(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= std::size(kLanguages)) index = kDefaultLanguage;
    return kLanguages[index];
}

std::string KeyboardLayoutName(int32_t index) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "000004%02X", LanguageAt(index).primaryId);
    return buf;
}

}  // namespace pm
