// The HTML templates ("skin"): the strings from which the document frame and
// the generated mark-up are built, with built-in defaults and an optional
// replacement from the configuration key "html".
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "config/ConfigTree.h"

namespace pm {

class Templates {
public:
    Templates();  // the built-in defaults

    // Loads every known template from <root>\html when that key exists; a
    // missing or empty value keeps the default. programDir is the folder of
    // the program file; "%pellmarkpath%" in the path templates becomes the
    // shared data folder (SharedDataDir: that folder, or the installed
    // share/pellmark) as a URL path.
    void Load(const ConfigTree& tree, const std::string& programDir);

    // The template of that name; an unknown name gives an empty string.
    const std::string& Get(std::string_view name) const;
    void Set(std::string_view name, std::string value);

    // "FileExt" is ".xml" without regard to case.
    bool XmlOutputMode() const;

    // The program folder as templates see it: trailing "/" ensured, spaces
    // as "%%20", backslashes as "/", ":" as "|".
    static std::string PellmarkPath(const std::string& programDir);

private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace pm
