#include "xml/XmlMode.h"

#include "common/DataDir.h"
#include "config/TMyReg.h"

namespace pm {
namespace {
constexpr std::string_view kMacro = "%pellmarkpath%";
}

std::string XmlKeyPath() { return std::string(kRootKey) + "\\html\\xml"; }
std::string XmlDefaultsKeyPath() { return XmlKeyPath() + "\\defaults"; }

std::string ReplaceProgramPath(std::string value, const std::string& programDir) {
    const size_t at = value.find(kMacro);
    if (at == std::string::npos) return value;
    std::string folder = programDir;
    if (folder.empty() || folder.back() != '/') folder += '/';
    value.replace(at, kMacro.size(), folder);
    return value;
}

bool ReadXmlDescriptionMode(const ConfigTree& tree, const std::string& programDir, XmlDescriptionValues& v) {
    const std::string key = XmlKeyPath();
    const std::optional<ConfigValue> ostrel = tree.GetValue(key, "Ostrel");
    if (!ostrel || ostrel->type != ValueType::DWord || ostrel->number != 1) return false;
    v = XmlDescriptionValues();
    const TMyReg reg(tree, key);
    const std::string dataDir = SharedDataDir(programDir);
    v.currentDate = reg.ReadString("Current Date", v.currentDate);
    v.programUsed = reg.ReadString("Program Used", v.programUsed);
    v.firstName = reg.ReadString("First Name", v.firstName);
    v.middleName = reg.ReadString("Middle name", v.middleName);
    v.lastName = reg.ReadString("Last Name", v.lastName);
    v.bookTitle = reg.ReadString("Book Title", v.bookTitle);
    v.pubDtd = reg.ReadString("PUB DTD", v.pubDtd);
    v.sysDtd = ReplaceProgramPath(reg.ReadString("SYS DTD", v.sysDtd), dataDir);
    v.styleSheet = ReplaceProgramPath(reg.ReadString("XML Style sheet", v.styleSheet), dataDir);
    v.pubSxl = reg.ReadString("PUB SXL", v.pubSxl);
    return true;
}

}  // namespace pm
