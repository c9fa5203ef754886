// Every question the core asks the user goes through this interface: the
// desktop program answers with its windows, the headless front end with
// documented non-interactive answers, tests with scripted answers.
#pragma once

#include <string>
#include <vector>

#include "pipeline/DocValues.h"

namespace pm {

enum class MessageIcon { None, Information, Warning, Error, Question };

// The large-file window (TLarge).
struct LargeFileAnswer {
    bool proceed = false;
    bool neverAskAgain = false;
};

// The detected-formatting window (TDetectWnd).
struct FormattingDetectedAnswer {
    enum class Choice { Cancel, OpenForReading, OpenForEditing };
    Choice choice = Choice::Cancel;
    bool neverAskAgain = false;
};

// One entry of the table-of-contents confirmation window (TContentChecker).
struct TocChoice {
    std::string text;  // as listed in the window
    bool checked = true;
};

// What the document properties window (TTetleWnd) shows and gives back.
struct DocPropertiesRequest {
    DocValues values;          // title, short title, author and name parts
    bool addAuthorToTitle = true;  // "Auto add autor to <title> next time"
    bool makeLatin = false;        // "Make latin"
};

class Questions {
public:
    virtual ~Questions() = default;

    // A message box with one Ok button.
    virtual void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;

    virtual LargeFileAnswer AskLargeFile(const std::string& text, const std::string& cancelCaption) = 0;
    virtual FormattingDetectedAnswer AskFormattingDetected(const std::string& text) = 0;
    // The wrong-encoding window (TWrongEncoding): true for "Yes" (convert).
    virtual bool AskWrongEncoding(const std::string& caption, const std::string& text) = 0;
    // The table-of-contents confirmation: the answer unchecks entries in place.
    virtual void ConfirmToc(std::vector<TocChoice>& entries) = 0;
    // The document properties window: edits the request in place; false
    // when the window was closed without confirming.
    virtual bool AskDocProperties(DocPropertiesRequest& request) = 0;
};

}  // namespace pm
