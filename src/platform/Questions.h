// Every question the core asks the user goes through this interface: the
// desktop program answers with its windows, the headless front end with
// documented non-interactive answers, tests with scripted answers.
#pragma once

#include <string>
#include <vector>

#include "document/DocValues.h"

namespace pm {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class YesNoCancel { Yes, No, Cancel };

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

// What the document properties window (TTetleWnd) shows and gives back:
// the edits Title, ShortTitle, Autor, FirstName, MidName, LastName (from
// values; comment and cover image are not shown) and the two check boxes.
struct DocPropertiesRequest {
    DocValues values;
    bool addAuthorToTitle = true;  // AddAutor: "Auto add autor to <title> next time"
    bool makeLatin = false;        // Latinic: "Latinic short title next time"
    // XML output mode: the name parts are shown and the author edit is
    // disabled; otherwise the name parts are hidden and the author is editable.
    bool nameParts = false;
};

class Questions {
public:
    virtual ~Questions() = default;

    // A message box with one Ok button.
    virtual void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
    // The same with a warning icon.
    virtual bool AskWarningYesNo(const std::string& caption, const std::string& text) = 0;
    // Yes, No or Cancel; closing the window is Cancel.
    virtual YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) = 0;

    // A file that does not look like text, before anything else is asked
    // about it: true to load it all the same. No is the default answer.
    virtual bool AskLoadBinary(const std::string& text) = 0;
    virtual LargeFileAnswer AskLargeFile(const std::string& text, const std::string& cancelCaption) = 0;
    virtual FormattingDetectedAnswer AskFormattingDetected(const std::string& text) = 0;
    // The same window for a book this program did not make, opened for
    // reading: "Open document for editing" is preselected.
    virtual FormattingDetectedAnswer AskNotConverted(const std::string& text) = 0;
    // The wrong-encoding window (TWrongEncoding): Yes converts, No keeps
    // the text as it is, Cancel (the window closed) gives up the load.
    virtual YesNoCancel AskWrongEncoding(const std::string& caption, const std::string& text) = 0;
    // The table-of-contents confirmation: the answer unchecks entries in
    // place; false when the window was closed without "Done" (the
    // conversion is then given up).
    virtual bool ConfirmToc(std::vector<TocChoice>& entries) = 0;
    // The document properties window: edits the request in place; false
    // when the window was closed without confirming.
    virtual bool AskDocProperties(DocPropertiesRequest& request) = 0;
};

}  // namespace pm
