#include "xml/qt/XmlPart.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBlock>
#include <QUrl>

#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "xml/XMLState.h"
#include "xml/qt/DTDEditor.h"
#include "xml/qt/XMStateForm.h"

namespace pm::gui {

XmlPart::XmlPart(Frame& frame, XmlContext context, QObject* parent)
    : QObject(parent), frame_(frame), ctx_(std::move(context)) {}

XmlPart::~XmlPart() = default;

TXMStateForm* XmlPart::Report() const { return report_; }
TDTDEditor* XmlPart::Editor() const { return editor_; }

void XmlPart::BindCommands() {
    QAction* header = frame_.Action(Cmd::XMLHead);
    connect(header, &QAction::triggered, this, &XmlPart::XMLTreeClick);
    // The frame enables the command by mode; it stays off until a source is
    // loaded in XML description mode.
    connect(header, &QAction::changed, this, [this, header] {
        if (header->isEnabled() && !ctx_.xmlButtonsEnabled) header->setEnabled(false);
    });
    header->setEnabled(header->isEnabled() && ctx_.xmlButtonsEnabled);
}

// ---- the check

void XmlPart::CheckXmlPreview() {
    const XmlCheckResult r = pm::CheckXmlPreview(ctx_.files.previewFile);
    // Valid, or not checked at all: an open report stays as it was.
    if (r.status != XmlCheckResult::Status::Invalid) return;
    if (!report_) {
        report_ = new TXMStateForm(WindowTexts(ctx_.tree, "XMLState", ctx_.uiTexts.localized), frame_.Window());
        connect(report_, &TXMStateForm::GoToError, this, &XmlPart::GoToError);
        connect(report_, &TXMStateForm::HelpAsked, this, &XmlPart::HelpAsked);
    }
    report_->Fill(r.error, ctx_.settings.ShowHtml);
    report_->show();
    report_->raise();
}

void XmlPart::GoToError(int64_t line, int64_t column) {
    ctx_.showHtmlPage();
    TextEditor& editor = ctx_.htmlEditor;
    const QTextBlock block = editor.document()->findBlockByNumber(static_cast<int>(std::max<int64_t>(line, 1) - 1));
    if (!block.isValid()) return;
    const int offset = static_cast<int>(std::clamp<int64_t>(column - 1, 0, block.length() - 1));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(block.position() + offset);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
    editor.setFocus();
}

void XmlPart::HelpAsked() {
    const QString help = QString::fromStdString(ctx_.programDir) + "/pellmark.chm";
    if (QFileInfo::exists(help)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(help));
        return;
    }
    ctx_.questions.ShowMessage(ctx_.texts.Msg("help"), ctx_.texts.Msg("Help with XML"), MessageIcon::None);
}

// ---- the book-description editor

void XmlPart::EnsureEditor() {
    if (!editor_)
        editor_ = new TDTDEditor(TDTDEditor::Context{ctx_.tree, ctx_.texts, ctx_.uiTexts, ctx_.questions},
                                 frame_.Window());
}

bool XmlPart::EditBookDescription(const DescriptionPrefill& values, const std::string& reference) {
    if (editor_) editor_->Rebuild();
    else EnsureEditor();
    editor_->SetReference(reference);
    editor_->Prefill(ctx_.values, values);
    editor_->exec();
    ctx_.doc.bookDescription = editor_->XmlText();
    return true;
}

void XmlPart::XMLTreeClick() {
    EnsureEditor();
    editor_->Prefill(ctx_.values, ctx_.prefill());
    editor_->exec();
    ctx_.doc.bookDescription = editor_->XmlText();
    ctx_.convertAndShow();
}

}  // namespace pm::gui
