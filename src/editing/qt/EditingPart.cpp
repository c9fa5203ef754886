#include "editing/qt/EditingPart.h"

#include <QAction>
#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "common/Format.h"
#include "config/Localization.h"
#include "config/Settings.h"
#include "config/Texts.h"
#include "platform/Questions.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"

namespace pm::gui {
namespace {

// The editor's text uses the paragraph separator between lines; the
// commands work with carriage returns, as stored text does.
std::string FromEditor(const QString& text) {
    QString t = text;
    t.replace(QChar::ParagraphSeparator, '\r').replace('\n', '\r');
    return ToCp1251(t);
}

QString ToEditor(const std::string& text1251) {
    QString t = FromCp1251(text1251);
    t.replace("\r\n", "\n").replace('\r', '\n');
    return t;
}

QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

}  // namespace

TPlComment::TPlComment(const ConfigTree& tree, bool localized, QWidget* parent) : QDialog(parent) {
    const WindowTexts t(tree, "PlComment", localized);
    setObjectName("TPlComment");
    setWindowTitle(Caption(t, "title", "Insert comment"));
    Title = new QLineEdit(this);
    Body = new QPlainTextEdit(this);
    OkBtn = new QPushButton(Caption(t, "btn1", "Ok"), this);
    CancelBtn = new QPushButton(Caption(t, "btn2", "Cancel"), this);
    OkBtn->setDefault(true);
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(Caption(t, "label1", "Comment title (hyperlinked text)"), this));
    box->addWidget(Title);
    box->addWidget(new QLabel(Caption(t, "label2", "Comment body (goes to the end of the document)"), this));
    box->addWidget(Body, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(OkBtn);
    row->addWidget(CancelBtn);
    box->addLayout(row);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(440, 300);
}

TFindReplace::TFindReplace(bool replace, QWidget* parent)
    : QDialog(parent), ReplaceText(nullptr), ReplaceBtn(nullptr), ReplaceAllBtn(nullptr) {
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? "Replace" : "Find");
    FindText = new QLineEdit(this);
    FindBtn = new QPushButton("&Find next", this);
    FindBtn->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow("Fi&nd what:", FindText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FindBtn);
    if (replace) {
        ReplaceText = new QLineEdit(this);
        form->addRow("Re&place with:", ReplaceText);
        ReplaceBtn = new QPushButton("&Replace", this);
        ReplaceAllBtn = new QPushButton("Replace &all", this);
        buttons->addWidget(ReplaceBtn);
        buttons->addWidget(ReplaceAllBtn);
        connect(ReplaceBtn, &QPushButton::clicked, this,
                [this] { emit replaceOne(FindText->text(), ReplaceText->text()); });
        connect(ReplaceAllBtn, &QPushButton::clicked, this,
                [this] { emit replaceAll(FindText->text(), ReplaceText->text()); });
    }
    auto* close = new QPushButton("Close", this);
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(FindBtn, &QPushButton::clicked, this, [this] { emit findNext(FindText->text()); });
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addLayout(buttons);
    setAttribute(Qt::WA_DeleteOnClose);
}

EditingPart::EditingPart(Frame& frame, const Settings& settings, const Texts& texts, const InterfaceTexts& uiTexts,
                         const ConfigTree& tree, Questions& questions, TextEditor& srcText, TextEditor& htmText)
    : frame_(frame), settings_(settings), texts_(texts), uiTexts_(uiTexts), tree_(tree), questions_(questions),
      src_(srcText), htm_(htmText) {}

void EditingPart::BindCommands() {
    const std::pair<Cmd, MarkupCommand> wraps[] = {
        {Cmd::H1, MarkupCommand::H1},           {Cmd::H2, MarkupCommand::H2},
        {Cmd::H3, MarkupCommand::H3},           {Cmd::H4, MarkupCommand::H4},
        {Cmd::H5, MarkupCommand::H5},           {Cmd::MakeParagraph, MarkupCommand::Paragraph},
        {Cmd::AlignLeft, MarkupCommand::AlignLeft}, {Cmd::AlignRight, MarkupCommand::AlignRight},
        {Cmd::AlignCenter, MarkupCommand::AlignCenter}, {Cmd::AlignJustify, MarkupCommand::AlignJustify},
        {Cmd::List, MarkupCommand::List},       {Cmd::UpperIndex, MarkupCommand::UpperIndex},
        {Cmd::LowerIndex, MarkupCommand::LowerIndex}, {Cmd::Bold, MarkupCommand::Bold},
        {Cmd::Italic, MarkupCommand::Italic}};
    for (const auto& [id, command] : wraps)
        connect(frame_.Action(id), &QAction::triggered, this, [this, command = command] { Wrap(command); });
    connect(frame_.Action(Cmd::UpperCase), &QAction::triggered, this, [this] { ChangeCase(true); });
    connect(frame_.Action(Cmd::LowerCase), &QAction::triggered, this, [this] { ChangeCase(false); });
    connect(frame_.Action(Cmd::InsertComment), &QAction::triggered, this, &EditingPart::InsertComment);
    connect(frame_.Action(Cmd::Find), &QAction::triggered, this, [this] { OpenFind(src_, false); });
    connect(frame_.Action(Cmd::Replace), &QAction::triggered, this, [this] { OpenFind(src_, true); });
    connect(frame_.Action(Cmd::HtmFind), &QAction::triggered, this, [this] { OpenFind(htm_, false); });
    connect(frame_.Action(Cmd::HtmReplace), &QAction::triggered, this, [this] { OpenFind(htm_, true); });
    connect(frame_.Action(Cmd::HtmCut), &QAction::triggered, &htm_, &TextEditor::cut);
    connect(frame_.Action(Cmd::HtmCopy), &QAction::triggered, &htm_, &QPlainTextEdit::copy);
    connect(frame_.Action(Cmd::HtmPaste), &QAction::triggered, &htm_, &TextEditor::paste);
    connect(frame_.Action(Cmd::HtmUndo), &QAction::triggered, this, [this] {
        htm_.undo();
        UpdateHtmlEditorCommands();
    });
    connect(frame_.Action(Cmd::HtmRedo), &QAction::triggered, this, [this] {
        htm_.redo();
        UpdateHtmlEditorCommands();
    });
    connect(frame_.Action(Cmd::FindSelected), &QAction::triggered, this,
            [this] { FindSelectedInSource(frame_.SelectedPreviewText()); });
    connect(&htm_, &QPlainTextEdit::undoAvailable, this, &EditingPart::UpdateHtmlEditorCommands);
    connect(&htm_, &QPlainTextEdit::redoAvailable, this, &EditingPart::UpdateHtmlEditorCommands);
    connect(&htm_, &QPlainTextEdit::copyAvailable, this, &EditingPart::UpdateHtmlEditorCommands);
    connect(&htm_, &QPlainTextEdit::textChanged, this, &EditingPart::UpdateHtmlEditorCommands);
}

void EditingPart::ModeChanged(int) { UpdateHtmlEditorCommands(); }

// The HTML editor's undo, redo, cut and copy follow its own state, with
// the kind of the next step in the undo and redo hints.
void EditingPart::UpdateHtmlEditorCommands() {
    const bool advanced = frame_.Mode() == 1;
    const bool selection = htm_.textCursor().hasSelection();
    frame_.Action(Cmd::HtmUndo)->setEnabled(advanced && htm_.document()->isUndoAvailable());
    frame_.Action(Cmd::HtmRedo)->setEnabled(advanced && htm_.document()->isRedoAvailable());
    frame_.Action(Cmd::HtmCut)->setEnabled(advanced && selection);
    frame_.Action(Cmd::HtmCopy)->setEnabled(advanced && selection);
    frame_.Action(Cmd::HtmUndo)->setToolTip(FromCp1251(uiTexts_.Control("Undo ")) + htm_.UndoName());
    frame_.Action(Cmd::HtmRedo)->setToolTip(FromCp1251(uiTexts_.Control("Redo ")) + htm_.RedoName());
}

QString EditingPart::SelectedText(const TextEditor& editor) const {
    QString t = editor.textCursor().selectedText();
    return t.replace(QChar::ParagraphSeparator, '\n');
}

void EditingPart::ReplaceSelection(TextEditor& editor, const std::string& text1251) {
    editor.textCursor().insertText(ToEditor(text1251));
}

void EditingPart::Wrap(MarkupCommand command) {
    const WrapRequest request = RequestFor(command, settings_);
    QTextCursor cursor = src_.textCursor();
    if (request.needsSelection && !cursor.hasSelection()) return;
    const std::string wrapped = WrapSelection(FromEditor(cursor.selectedText()), request);
    const int start = cursor.selectionStart();
    cursor.insertText(ToEditor(wrapped));
    // The inserted text shows in the command's style and size; the text
    // itself holds only the tags.
    if (request.styleBits || request.fontSizeStep) {
        QTextCharFormat look;
        if (request.styleBits & kStyleBold) look.setFontWeight(QFont::Bold);
        if (request.styleBits & kStyleItalic) look.setFontItalic(true);
        look.setFontPointSize(src_.font().pointSizeF() + request.fontSizeStep);
        QTextCursor shown(src_.document());
        shown.setPosition(start);
        shown.setPosition(cursor.position(), QTextCursor::KeepAnchor);
        shown.mergeCharFormat(look);
    }
}

void EditingPart::ChangeCase(bool upper) {
    QTextCursor cursor = src_.textCursor();
    if (!cursor.hasSelection()) return;
    const int start = cursor.selectionStart(), end = cursor.selectionEnd();
    const std::string text = FromEditor(cursor.selectedText());
    cursor.insertText(ToEditor(upper ? UpperCaseSelection(text) : LowerCaseSelection(text)));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    src_.setTextCursor(cursor);
}

TPlComment& EditingPart::CommentWindow() {
    if (!comment_) comment_ = new TPlComment(tree_, uiTexts_.localized, frame_.Window());
    return *comment_;
}

void EditingPart::InsertComment() {
    if (settings_.KillLinks) {
        questions_.ShowMessage(texts_.Msg("Error"), texts_.Msg("CantEnterLink"), MessageIcon::Error);
        return;
    }
    const std::string selection = FromEditor(src_.textCursor().selectedText());
    TPlComment& w = CommentWindow();
    w.Title->setText(FromCp1251(CommentTitleFor(selection)));
    w.Body->setPlainText(ToEditor(selection));
    if (w.exec() != QDialog::Accepted) return;
    const std::string id = MakeCommentId(random);
    const std::string title = ToCp1251(w.Title->text());
    const std::string link = CommentLink(id, title);
    QTextCursor cursor = src_.textCursor();
    const int linkStart = cursor.selectionStart();
    cursor.beginEditBlock();
    cursor.insertText(ToEditor(link));
    // The note line goes before the closing tags, or at the very end.
    std::vector<std::string> lines;
    for (QTextBlock b = src_.document()->begin(); b.isValid(); b = b.next()) lines.push_back(ToCp1251(b.text()));
    const size_t at = NoteLineIndex(lines);
    QTextCursor note(src_.document());
    const std::string noteLine = CommentNote(id, FromEditor(w.Body->toPlainText()));
    if (at < lines.size()) {
        note.setPosition(src_.document()->findBlockByNumber(int(at)).position());
        note.insertText(ToEditor(noteLine) + "\n");
    } else {
        note.movePosition(QTextCursor::End);
        note.insertText("\n" + ToEditor(noteLine));
    }
    cursor.endEditBlock();
    // The inserted link stays selected.
    QTextCursor selected(src_.document());
    selected.setPosition(linkStart);
    selected.setPosition(linkStart + int(FromCp1251(link).size()), QTextCursor::KeepAnchor);
    src_.setTextCursor(selected);
}

void EditingPart::NotFound(const QString& text) {
    questions_.ShowMessage(texts_.Msg("Info"), FormatTemplate(texts_.Msg("NotFound"), {ToCp1251(text)}),
                           MessageIcon::Warning);
}

bool EditingPart::FindNext(TextEditor& editor, const QString& text) {
    if (text.isEmpty()) return false;
    if (editor.find(text)) return true;
    NotFound(text);
    return false;
}

void EditingPart::OpenFind(TextEditor& editor, bool replace) {
    auto* dialog = new TFindReplace(replace, frame_.Window());
    // Find starts from the source editor's selection (also for the HTML
    // editor); replace from the editor's own.
    dialog->FindText->setText(SelectedText(replace ? editor : src_));
    connect(dialog, &TFindReplace::findNext, this, [this, &editor](const QString& t) { FindNext(editor, t); });
    connect(dialog, &TFindReplace::replaceOne, this, [this, &editor](const QString& t, const QString& with) {
        if (editor.textCursor().selectedText().compare(t, Qt::CaseInsensitive) == 0)
            editor.textCursor().insertText(with);
        FindNext(editor, t);
    });
    connect(dialog, &TFindReplace::replaceAll, this, [this, &editor](const QString& t, const QString& with) {
        if (t.isEmpty()) return;
        editor.moveCursor(QTextCursor::Start);
        int count = 0;
        while (editor.find(t)) {
            editor.textCursor().insertText(with);
            ++count;
        }
        if (count == 0) NotFound(t);
    });
    dialog->show();
}

bool EditingPart::FindSelectedInSource(const QString& selected) {
    // Not minding case, Cyrillic included.
    QString text = src_.toPlainText();
    const qsizetype at = selected.isEmpty() ? -1 : text.indexOf(selected, 0, Qt::CaseInsensitive);
    if (at < 0) {
        QApplication::beep();
        return false;
    }
    QTextCursor cursor(src_.document());
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + selected.size()), QTextCursor::KeepAnchor);
    src_.setTextCursor(cursor);
    emit showSourcePage();
    return true;
}

}  // namespace pm::gui
