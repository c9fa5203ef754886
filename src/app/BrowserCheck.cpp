#include "app/BrowserCheck.h"

#include <cctype>

namespace pm {

bool OldBrowserCheck(ConfigTree& user, const std::string& version, Questions& questions) {
    const std::string v = version.empty() ? "0" : version;
    // A version that does not begin with a digit tells nothing about age.
    if (!std::isdigit(static_cast<unsigned char>(v[0]))) return false;
    const bool multiDigit = v.size() > 1 && std::isdigit(static_cast<unsigned char>(v[1]));
    if (multiDigit || v[0] - '0' > 3) return false;
    user.CreateKey(kRootKey);
    if (user.GetValue(kRootKey, "WarningShown")) return false;
    user.SetString(kRootKey, "WarningShown", "");
    questions.ShowMessage("Error !!!", "Looks like you have no IE4+ installed. This may cause some problems.",
                          MessageIcon::Error);
    return true;
}

std::string NoBrowserMessage() {
    return "Looks like you have no ActiveX browser installed. Install IE 4 (or later) or other OLE-supporting "
           "browser.\r Sorry, but the program will not work.";
}

}  // namespace pm
