// The rows of the options panel: one per group heading or option, in the
// order they stand in the tree, with the descriptions the panel shows.
#pragma once

#include <span>
#include <string_view>

namespace pm {

class InterfaceTexts;

enum class RowKind {
    Group,             // a heading
    Toggle,            // on/off
    ToggleWithValues,  // on/off, with values edited while it is on
    Value,             // values only (text, number, font, language)
};

struct OptionRow {
    std::string_view caption;  // the built-in text
    RowKind kind;
    int editorTag;             // 0 for rows without values
    std::string_view descrKey, descrText;  // interface\descr key and default ("" for none)
    std::string_view labelKey, labelText;  // the editing label's key and default
};

inline constexpr int kRowCount = 59;

// Row numbers the panel's logic names.
enum OptionRowIndex : int {
    kRowAuthor = 2, kRowTitle = 3, kRowShortTitle = 4, kRowComment = 5, kRowCover = 6, kRowNbsp = 7,
    kRowHyphenate = 8, kRowRemoveAllHtml = 11, kRowFirstHtmlOption = 12, kRowLastHtmlOption = 21,
    kRowLonger = 23, kRowShorter = 24, kRowEmptyLines = 28, kRowEpigraphs = 29, kRowParagraphTag = 31,
    kRowHeaderTag = 36, kRowSrcFont = 44, kRowHtmFont = 45, kRowShowHtml = 48, kRowUseSourceEditor = 49,
    kRowIntegrate = 55, kRowLanguage = 58,
};

std::span<const OptionRow> OptionRows();

// Puts the built-in row texts into the interface texts, before a
// localization replaces them by row index.
void FillTreeRowDefaults(InterfaceTexts& texts);

}  // namespace pm
