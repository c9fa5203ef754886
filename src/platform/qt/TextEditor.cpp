#include "platform/qt/TextEditor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/qt/Text1251.h"

namespace pm::gui {

TextEditor::TextEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(document(), &QTextDocument::undoCommandAdded, this, &TextEditor::StepAdded);
}

std::string TextEditor::Text() const { return ToCp1251(toPlainText()); }

void TextEditor::SetText(const std::string& text) {
    pendingKind_.clear();
    setPlainText(FromCp1251(text));
    undoKinds_.clear();
    redoKinds_.clear();
}

bool TextEditor::Modified() const { return document()->isModified(); }
void TextEditor::SetModified(bool modified) { document()->setModified(modified); }

SourceEditor::Selection TextEditor::GetSelection() const {
    const QTextCursor c = textCursor();
    return {static_cast<size_t>(c.selectionStart()), static_cast<size_t>(c.selectionEnd() - c.selectionStart())};
}

void TextEditor::SetSelection(const Selection& s) {
    QTextCursor c = textCursor();
    const int end = document()->characterCount() - 1;
    c.setPosition(std::min(static_cast<int>(s.start), end));
    c.setPosition(std::min(static_cast<int>(s.start + s.length), end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString TextEditor::UndoName() const { return undoKinds_.isEmpty() ? QString() : undoKinds_.last(); }
QString TextEditor::RedoName() const { return redoKinds_.isEmpty() ? QString() : redoKinds_.last(); }

void TextEditor::StepAdded() {
    undoKinds_.append(pendingKind_);
    redoKinds_.clear();
}

// Runs an edit of a known kind. The document may merge it into the step
// before (typing after typing); that step then takes the edit's name.
template <class Edit>
void TextEditor::Named(const QString& kind, Edit edit) {
    pendingKind_ = kind;
    const int revision = document()->revision();
    edit();
    if (!kind.isEmpty() && document()->revision() != revision && !undoKinds_.isEmpty()) undoKinds_.last() = kind;
    pendingKind_.clear();
}

void TextEditor::keyPressEvent(QKeyEvent* event) {
    const bool erase = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    QString kind = erase ? QStringLiteral("delete") : event->text().isEmpty() ? QString() : QStringLiteral("typing");
    if (event->matches(QKeySequence::Cut)) kind = QStringLiteral("cut");
    if (event->matches(QKeySequence::Paste)) kind = QStringLiteral("paste");
    Named(kind, [&] { QPlainTextEdit::keyPressEvent(event); });
}

// Dropped files go on to the window, which loads them; text is dropped here.
void TextEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) return event->ignore();
    QPlainTextEdit::dragEnterEvent(event);
}

void TextEditor::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasUrls()) return event->ignore();
    Named(QStringLiteral("drag and drop"), [&] { QPlainTextEdit::dropEvent(event); });
}

void TextEditor::cut() {
    Named(QStringLiteral("cut"), [&] { QPlainTextEdit::cut(); });
}

void TextEditor::paste() {
    Named(QStringLiteral("paste"), [&] { QPlainTextEdit::paste(); });
}

void TextEditor::undo() {
    QPlainTextEdit::undo();
    if (!undoKinds_.isEmpty()) redoKinds_.append(undoKinds_.takeLast());
}

void TextEditor::redo() {
    QPlainTextEdit::redo();
    if (!redoKinds_.isEmpty()) undoKinds_.append(redoKinds_.takeLast());
}

}  // namespace pm::gui
