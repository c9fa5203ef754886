// Interface texts: the menu captions, command hints, options-tree texts,
// main-window control texts and option descriptions, each with its built-in
// English default, and the localization stored under <root>\interface that
// replaces them. The widgets read every caption from InterfaceTexts, so a
// localized text takes effect everywhere.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Texts.h"

namespace pm {

// The oldest program build whose localizations this one accepts.
inline constexpr int kLocalizationMinBuild = 569;
// Where up-to-date localizations are published.
inline constexpr std::string_view kLocalizationPage = "https://pellmark.example.org/localization/";

// The options-tree texts that are built into row captions.
struct TreeTexts {
    std::string longerPrefix = "Strings longer than ";
    std::string shorterPrefix = "Strings shorter than ";
    std::string emptyLinesSuffix = " and more empty lines to <br>";
    std::string author = "Author";
    std::string title = "Title";
    std::string shortTitle = "Short title";
    std::string comment = "Comment";
};

class InterfaceTexts {
public:
    InterfaceTexts();  // the built-in English texts

    // A menu caption, a command hint, a main-window control text; an
    // unknown key gives the key itself.
    const std::string& Menu(std::string_view key) const;
    const std::string& Hint(std::string_view key) const;
    const std::string& Control(std::string_view key) const;
    // An option description of the options panel, or def when the
    // localization does not supply it.
    std::string Descr(std::string_view key, const std::string& def) const;

    TreeTexts tree;
    // The options-tree rows in order; the options panel fills in their
    // built-in texts before the localization is applied.
    std::vector<std::string> treeRows;

    // Set by ApplyInterfaceTexts: a localization was found and accepted.
    bool localized = false;

private:
    friend class LocalizationApplier;
    std::map<std::string, std::string, std::less<>> menu_, hints_, controls_, descr_;
    mutable std::map<std::string, std::string, std::less<>> unknown_;
};

struct LocalizationOutcome {
    bool present = false;   // <root>\interface exists
    bool accepted = false;  // its "target" passed the build check
    std::string error;      // the text of the error window when refused
};

// Applies <root>\interface to the interface texts and to the message and
// process tables, section by section: menu, Hints, tree, Controls\main,
// messages (then processes), descr. A missing "target", or one below
// kLocalizationMinBuild, applies nothing and gives the error text.
LocalizationOutcome ApplyInterfaceTexts(const ConfigTree& tree, InterfaceTexts& ui, Texts& texts);

// The key path of a secondary window's texts ("large file" ->
// <root>\interface\Controls\large file; "RegExprList" lies under the root).
std::string WindowTextsKey(std::string_view window);

// The texts of one secondary window, read when it is created.
class WindowTexts {
public:
    // localized: the interface localization was accepted at start; a
    // refused one leaves every window in English too.
    WindowTexts(const ConfigTree& tree, std::string_view window, bool localized);
    // The stored text of value name, or def when missing or empty.
    std::string Get(std::string_view name, const std::string& def) const;

private:
    const ConfigTree* tree_;
    std::string key_;
    bool use_;
};

}  // namespace pm
