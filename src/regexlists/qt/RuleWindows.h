// The rule windows: the list window with its two check lists (TRegList),
// the rule editor with its test area (TRegExprEdit), and the part of the
// main window that opens them and applies a rule from the drop-down menu.
#pragma once

#include <QDialog>
#include <QObject>
#include <memory>

#include "platform/qt/Frame.h"
#include "regexlists/RegExprList.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace pm {
class Texts;
class Questions;
class StatusSink;
}  // namespace pm

namespace pm::gui {

class TextEditor;

// The rule editor: name, pattern, replacement, and a sample to test on.
class TRegExprEdit : public QDialog {
    Q_OBJECT
public:
    TRegExprEdit(const ConfigTree& tree, bool localized, QWidget* parent = nullptr);
    void SetRule(const RegexRule& rule);
    RegexRule Rule() const;
    QLineEdit* Edit3;  // "Rule name"
    QLineEdit* Edit1;  // "Search for"
    QLineEdit* Edit2;  // "Replace with"
    QPlainTextEdit* RxRichEdit1;  // the sample
    QPlainTextEdit* RxRichEdit2;  // the result
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* TestBtn;

public slots:
    void TestClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The list window: the "Source" and "HTML" pages with their check lists.
class TRegList : public QDialog {
    Q_OBJECT
public:
    TRegList(RegexRuleLists& rules, const Texts& texts, Questions& questions, const ConfigTree& tree,
             bool localized, QWidget* parent = nullptr);
    // The list of the page shown.
    RuleList ActiveList() const;
    QListWidget* List(RuleList list) const { return list == RuleList::Html ? HTMRegExpr : SRCRegExpr; }
    bool Changed() const { return changed_; }
    TRegExprEdit& Editor() { return *editor_; }

    QTabWidget* Pages;
    QListWidget* HTMRegExpr;
    QListWidget* SRCRegExpr;
    QPushButton *AddBtn, *EditBtn, *DelBtn, *UpBtn, *DnBtn, *CloseBtn;

public slots:
    void AddClick();
    void EditClick();
    void DeleteClick();
    void MoveClick(int delta);

private:
    void Fill();
    int SelectedRow() const;

    RegexRuleLists& rules_;
    const Texts& texts_;
    Questions& questions_;
    TRegExprEdit* editor_;
    bool changed_ = false;
    bool filling_ = false;
};

class RulesPart : public QObject, public FramePart {
    Q_OBJECT
public:
    // rules: the main window's lists, created when the settings are loaded.
    RulesPart(Frame& frame, std::unique_ptr<RegexRuleLists>& rules, const Texts& texts, StatusSink& status, Questions& questions,
              const ConfigTree& tree, const bool& localized, TextEditor& srcText, TextEditor& htmText);

    void BindCommands() override;
    // The lists changed in the windows: they are written at exit.
    bool Changed() const { return changed_; }

    // The drop-down menu, rebuilt each time it opens.
    QMenu* RegExprList;

public slots:
    void RegExprHTMClick();
    void RegExprListPopup();
    // The rule of menu item index over the active editor's selection, or its
    // whole text when nothing is selected.
    void RegExprListClick(int index);

private:
    Frame& frame_;
    std::unique_ptr<RegexRuleLists>& rules_;
    const Texts& texts_;
    StatusSink& status_;
    Questions& questions_;
    const ConfigTree& tree_;
    const bool& localized_;
    TextEditor& src_;
    TextEditor& htm_;
    bool changed_ = false;
};

}  // namespace pm::gui
