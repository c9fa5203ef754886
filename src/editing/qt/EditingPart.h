// The editors' part of the main window: the mark-up commands of the source
// editor, the case commands, notes, find and replace in both editors, and
// finding the preview's selection in the source.
#pragma once

#include <QDialog>
#include <QObject>
#include <random>

#include "editing/MarkupCommands.h"
#include "platform/qt/Frame.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pm {
struct Settings;
class Texts;
class InterfaceTexts;
class Questions;
class ConfigTree;
}  // namespace pm

namespace pm::gui {

class TextEditor;

// The note window: a title (the link text) and a body (the note).
class TPlComment : public QDialog {
    Q_OBJECT
public:
    TPlComment(const ConfigTree& tree, bool localized, QWidget* parent = nullptr);
    QLineEdit* Title;
    QPlainTextEdit* Body;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};

// Find or replace in one editor.
class TFindReplace : public QDialog {
    Q_OBJECT
public:
    TFindReplace(bool replace, QWidget* parent = nullptr);
    QLineEdit* FindText;
    QLineEdit* ReplaceText;  // null for find
    QPushButton* FindBtn;
    QPushButton* ReplaceBtn;     // null for find
    QPushButton* ReplaceAllBtn;  // null for find
signals:
    void findNext(const QString& text);
    void replaceOne(const QString& text, const QString& with);
    void replaceAll(const QString& text, const QString& with);
};

class EditingPart : public QObject, public FramePart {
    Q_OBJECT
public:
    EditingPart(Frame& frame, const Settings& settings, const Texts& texts, const InterfaceTexts& uiTexts,
                const ConfigTree& tree, Questions& questions, TextEditor& srcText, TextEditor& htmText);

    void BindCommands() override;
    void ModeChanged(int mode) override;

    // The command on the source editor's selection.
    void Wrap(MarkupCommand command);
    void ChangeCase(bool upper);
    void InsertComment();
    // Find and replace: the dialog of an editor with its initial text; the
    // search from the cursor, with the "NotFound" warning.
    void OpenFind(TextEditor& editor, bool replace);
    bool FindNext(TextEditor& editor, const QString& text);
    // The preview's selection searched in the source, which is then shown.
    bool FindSelectedInSource(const QString& selected);

    TPlComment& CommentWindow();
    std::mt19937 random{std::random_device{}()};

signals:
    // The source page is to be shown (the find-selected-text command).
    void showSourcePage();

private:
    QString SelectedText(const TextEditor& editor) const;
    void ReplaceSelection(TextEditor& editor, const std::string& text1251);
    void NotFound(const QString& text);
    void UpdateHtmlEditorCommands();

    Frame& frame_;
    const Settings& settings_;
    const Texts& texts_;
    const InterfaceTexts& uiTexts_;
    const ConfigTree& tree_;
    Questions& questions_;
    TextEditor& src_;
    TextEditor& htm_;
    TPlComment* comment_ = nullptr;
};

}  // namespace pm::gui
