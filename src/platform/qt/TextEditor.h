// A plain-text editor holding Windows-1251 text: the source editor (SrcText)
// and the HTML editor (HTMText). It remembers what kind of edit each undo
// step was, for the Undo and Redo hints.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <string>

#include "platform/SourceEditor.h"

namespace pm::gui {

class TextEditor : public QPlainTextEdit, public SourceEditor {
    Q_OBJECT
public:
    explicit TextEditor(QWidget* parent = nullptr);

    // SourceEditor
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Modified() const override;
    void SetModified(bool modified) override;
    Selection GetSelection() const override;
    void SetSelection(const Selection& selection) override;

    // The name of the edit that Undo or Redo would take back: "typing",
    // "delete", "drag and drop", "cut", "paste", or "" for any other.
    QString UndoName() const;
    QString RedoName() const;

public slots:
    void cut();
    void paste();
    void undo();
    void redo();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void StepAdded();
    template <class Edit>
    void Named(const QString& kind, Edit edit);

    QString pendingKind_;
    QStringList undoKinds_, redoKinds_;
};

}  // namespace pm::gui
