// The windows of the conversion: the table-of-contents confirmation
// (TContentChecker) and the document properties (TTetleWnd).
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "config/Localization.h"

namespace pm::gui {

class TContentChecker : public QDialog {
    Q_OBJECT
public:
    TContentChecker(const WindowTexts& texts, QWidget* parent = nullptr);
    // True when at least one item is checked.
    bool AnyChecked() const;
    void SetAll(bool checked);

    QLabel* Label1;
    QListWidget* Content;
    QPushButton* UnCheckAll;
    QPushButton* CheckAll;
    QPushButton* Button1;
};

class TTetleWnd : public QDialog {
    Q_OBJECT
public:
    // xmlOutput: the names of the author are entered in parts; otherwise
    // the name rows are hidden and the author is edited as one text.
    TTetleWnd(const WindowTexts& texts, bool xmlOutput, QWidget* parent = nullptr);

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLineEdit *Title, *ShortTitle, *Autor, *FirstName, *MidName, *LastName;
    QPushButton *Button1, *Button2, *Button3;
    QCheckBox *AddAutor, *Latinic;
};

}  // namespace pm::gui
