// The XML check's report window: the first error of the last failing check,
// with a jump to the faulty place in the HTML editor. It is created once,
// shown without being modal and stays on top, so the user can correct the
// text beside it.
#pragma once

#include <QDialog>
#include <cstdint>

#include "config/Localization.h"
#include "xml/XMLState.h"

class QPlainTextEdit;
class QPushButton;

namespace pm::gui {

class TXMStateForm : public QDialog {
    Q_OBJECT
public:
    TXMStateForm(const WindowTexts& texts, QWidget* parent);

    // Fills the report with the error and keeps its position. With the HTML
    // editor on, "Go to error >>" leads there; otherwise it is disabled and
    // reads "HTML editor off".
    void Fill(const XmlParseError& error, bool htmlEditorOn);
    int64_t Line() const { return line_; }
    int64_t Column() const { return column_; }

    QPlainTextEdit* Memo1;
    QPushButton* Button1;  // "Close"
    QPushButton* Button2;  // "Go to error >>"
    QPushButton* Button3;  // "Help!"

signals:
    // "Go to error >>": the window has closed; the caret goes to the line
    // and column (both counted from 1).
    void GoToError(int64_t line, int64_t column);
    void HelpAsked();

private:
    QString goToCaption_;
    int64_t line_ = 0, column_ = 0;
};

}  // namespace pm::gui
