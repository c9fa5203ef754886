// What the options panel shows and changes, without widgets: each row's
// image, text and state, toggling, and opening and committing the values
// of the row being edited. Every change goes through the settings' setters
// (or into the document values), so the rest of the program hears of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "options/OptionRows.h"

namespace pm {

struct Settings;
struct DocValues;
class InterfaceTexts;
class ConfigTree;
class FontTable;

// Row images: off, on, disabled, a heading, a row of values.
enum RowImage : int { kImageOff = 0, kImageOn = 1, kImageDisabled = 12, kImageGroup = 20, kImageValues = 21 };

// The editing widgets of the open row and what they hold.
struct RowEditor {
    int row = -1;
    int tag = 0;  // 0: nothing is being edited
    std::string label;
    bool edit1 = false, edit2 = false, number = false, font = false, fontList = false, language = false,
         check = false;
    std::string text1, text2;
    int value = 0;
    std::string fontName;
    std::vector<std::string> fontChoices;
    int fontChoice = -1;
    int languageIndex = 0;
    bool checked = false;
};

// "Integrate with shell": whether the desktop entries exist, and writing or
// removing them. Without one the row shows off and cannot be changed.
class ShellIntegration {
public:
    virtual ~ShellIntegration() = default;
    virtual bool Integrated() const = 0;
    // False with a sentence in *error when the entries could not be changed.
    virtual bool SetIntegrated(bool on, std::string* error) = 0;
};

class OptionsModel {
public:
    OptionsModel(Settings& settings, DocValues& doc, const InterfaceTexts& texts);

    // Optional services: the configuration (font tables), the chosen font
    // table to reload, the shell integration, the conversion's out-of-date
    // mark.
    const ConfigTree* config = nullptr;
    FontTable* font = nullptr;
    ShellIntegration* shell = nullptr;
    std::function<void()> invalidate;

    int Image(int row) const;
    // The row's text with its values ("Strings longer than 80", "Title: "Book"").
    std::string Text(int row) const;
    bool Disabled(int row) const;
    // Inverts an on/off row through its setter; false when the row is a
    // heading, holds values only or is disabled. *error gets the reason
    // when the shell integration could not be changed.
    bool Toggle(int row, std::string* error = nullptr);

    // The description box's text for a row ("" for none).
    std::string Description(int row) const;
    // The editing widgets a row opens with; tag 0 when it has none (an
    // on/off row with values opens them only while it is on).
    RowEditor Open(int row) const;
    // The edited values, applied at once (each keystroke) or on leaving the
    // row. Apply marks the conversion out of date.
    void Apply(const RowEditor& editor);
    // Leaving the row: Apply, then the checks of the commit. Returns the
    // message key to show with the caption "Error" ("" for none).
    std::string Commit(const RowEditor& editor);
    // The font-table list: "NoRegFont" when no table is stored.
    std::string FontListMessage() const;

private:
    bool On(int row) const;
    void SetOn(int row, bool on);
    void ApplyHyphenation(const RowEditor& editor);

    Settings& s_;
    DocValues& doc_;
    const InterfaceTexts& texts_;
};

}  // namespace pm
