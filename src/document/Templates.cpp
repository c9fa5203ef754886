#include "document/Templates.h"

#include <array>

#include "common/Cp1251.h"
#include "common/DataDir.h"
#include "common/TextTests.h"
#include "config/TMyReg.h"

namespace pm {
namespace {

struct TemplateDefault {
    std::string_view name;
    std::string_view value;
    bool path;  // "%pellmarkpath%" is replaced at load
};

constexpr std::array<TemplateDefault, 20> kDefaults = {{
    {"lEnd", "</body></html>", true},
    {"TitleImage", "<title>%s</title></head><body><img src=\"%s\" border=\"0\"><hr size=\"0\">", true},
    {"TitleNoImage", "<title>%s</title></head><body>", true},
    {"Header",
     "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head>"
     "<meta name=\"Generator\" content=\"Pellmark\"><meta name=\"author\" content=\"%s\">"
     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
     true},
    {"Comment", "<hr size=\"0\"><div align=\"center\">%s</div>", true},
    {"Scriptcode1",
     "<A style=\"background-color: Lime; color: Black;\" href=\"javascript:newwin = "
     "window.open('', 'NewWin', 'scrollbars=1, width=400, height=210');newwin.document.write("
     "'<html><head><title>Comment</title></head><body>",
     true},
    {"Scriptcode2", "</body></html>')\">", true},
    {"Scriptcode3", "</a>", true},
    {"bookmarkpref", "<A style=\"background-color: Red; color: White;\"", true},
    {"HyphInfo",
     "<br><br><br><div align=\"center\">Hyphenated for <i>&quot;%s&quot;</i> in %s-like) "
     "orientation</div>",
     true},
    {"HyphHoriz", "horisontal (-", true},
    {"HyphVert", "vertical (I", true},
    {"FileExt", ".html", false},
    {"Break string", "<br>", false},
    {"Emphasis open", "<I>", false},
    {"Emphasis close", "</I>", false},
    {"Footnote open", "&nbsp;<SUP>", false},
    {"Footnote close", "</SUP>", false},
    {"Epigraph author open", "<AUTHOR>", false},
    {"Epigraph author close", "</AUTHOR>", false},
}};

}  // namespace

Templates::Templates() {
    for (const auto& d : kDefaults) values_.emplace(std::string(d.name), std::string(d.value));
}

std::string Templates::PellmarkPath(const std::string& programDir) {
    std::string dir = programDir;
    if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir += '/';
    std::string out;
    for (char c : dir) {
        if (c == ' ') out += "%%20";
        else if (c == '\\') out += '/';
        else if (c == ':') out += '|';
        else out += c;
    }
    return out;
}

void Templates::Load(const ConfigTree& tree, const std::string& programDir) {
    TMyReg reg(tree, std::string(kRootKey) + "\\html");
    if (!reg.Exists()) return;
    const std::string url = PellmarkPath(SharedDataDir(programDir));
    static constexpr std::string_view kMacro = "%pellmarkpath%";
    for (const auto& d : kDefaults) {
        std::string v = reg.ReadString(d.name, values_[std::string(d.name)]);
        if (d.path) {
            if (const size_t at = v.find(kMacro); at != std::string::npos) v.replace(at, kMacro.size(), url);
        }
        values_[std::string(d.name)] = std::move(v);
    }
}

const std::string& Templates::Get(std::string_view name) const {
    static const std::string kEmpty;
    auto it = values_.find(name);
    return it == values_.end() ? kEmpty : it->second;
}

void Templates::Set(std::string_view name, std::string value) { values_[std::string(name)] = std::move(value); }

bool Templates::XmlOutputMode() const { return cp1251::EqualsNoCase(Get("FileExt"), ".xml"); }

}  // namespace pm
