// The book-description editor's side that needs no window: its stored
// layout, building its tree from the configuration, the prefilled values,
// and the whole description made without asking (the headless front end).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/ConfigTree.h"
#include "config/Texts.h"
#include "platform/Questions.h"
#include "xml/DTDEdit.h"
#include "xml/XmlMode.h"

namespace pm {

// The title of the editor when the configuration names none, and what
// follows every title: the maker's web site.
inline constexpr std::string_view kDtdEditorCaption = "Book description editor";
inline constexpr std::string_view kDtdEditorSuffix = " (pellmark.example.org)";

// The editor's values of html\xml.
struct DtdEditorLayout {
    std::string rootName = "description";
    std::string caption;  // "Window caption"; empty: kDtdEditorCaption
    int width = 760, height = 520, xmlTextWidth = 360, valueEditorHeight = 110;
    int toolbarMode = 1;  // 1 images and text, 2 images only, 3 text only

    // "Root element" and "Window caption" when not empty, then the sizes and
    // the toolbar mode in that order, stopping at the first one missing.
    void Read(const ConfigTree& tree);
    // At destruction: "Root element", the sizes and "Toolbar mode"; "Window
    // caption" = "Book description editor" when the stored one is empty.
    // Nothing when the skin's key is gone (removed meanwhile).
    void Write(ConfigTree& tree) const;
    std::string Title() const;
};

enum class DtdLoadOutcome { Built, NoXmlKey, NoRoot };
// Reads "DTD for editor", builds the tree of rootName, includes the root
// and sets the stored defaults.
DtdLoadOutcome LoadDescriptionTree(ConfigTree& tree, const std::string& rootName, DtdTree& out);
// The messages of the outcome and of the building's notes.
void TellLoadOutcome(DtdLoadOutcome outcome, const DtdTree& tree, Questions& questions, const Texts& texts);

// What the program puts into a new description.
struct DescriptionPrefill {
    std::string date, program, firstName, middleName, lastName, title;
};
// Sets the values at the paths html\xml names.
void PrefillDescription(DtdTree& tree, const XmlDescriptionValues& paths, const DescriptionPrefill& values);

// The description as the editor would give it when closed at once: built
// from the configuration, with the defaults and the prefilled values. None
// when the configuration holds no usable DTD (after telling why).
struct HeadlessDescription {
    std::string text;     // the pane's text, the book description
    std::string missing;  // the completeness message when incomplete
};
std::optional<HeadlessDescription> MakeBookDescription(ConfigTree& tree, const XmlDescriptionValues& paths,
                                                       const DescriptionPrefill& values, Questions& questions,
                                                       const Texts& texts);

}  // namespace pm
