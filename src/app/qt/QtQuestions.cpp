#include "app/qt/QtQuestions.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "config/Localization.h"
#include "intake/qt/QuestionWindows.h"
#include "common/Cp1251.h"
#include "config/TMyReg.h"
#include "pipeline/qt/StructureWindows.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/WindowFit.h"

namespace pm::gui {

namespace {
QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

void QtQuestions::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), FromCp1251(caption), FromCp1251(text), QMessageBox::Ok, parent_);
    // Messages quote tags ("<p>", the start of a long tag); they are shown as they are.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

YesNoCancel QtQuestions::AskYesNoCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, FromCp1251(caption), FromCp1251(text), QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(FromCp1251(texts_.Msg("Yes")), QMessageBox::YesRole);
    QPushButton* no = box.addButton(FromCp1251(texts_.Msg("No")), QMessageBox::NoRole);
    box.addButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == yes) return YesNoCancel::Yes;
    return box.clickedButton() == no ? YesNoCancel::No : YesNoCancel::Cancel;
}

bool QtQuestions::AskWarningYesNo(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, FromCp1251(caption), FromCp1251(text), QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(FromCp1251(texts_.Msg("Yes")), QMessageBox::YesRole);
    box.addButton(FromCp1251(texts_.Msg("No")), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

bool QtQuestions::AskYesNo(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, FromCp1251(caption), FromCp1251(text), QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(FromCp1251(texts_.Msg("Yes")), QMessageBox::YesRole);
    box.addButton(FromCp1251(texts_.Msg("No")), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

bool QtQuestions::AskLoadBinary(const std::string& text) {
    QMessageBox box(QMessageBox::Question, FromCp1251(texts_.Msg("Confirm")), FromCp1251(text), QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(FromCp1251(texts_.Msg("Yes")), QMessageBox::YesRole);
    QPushButton* no = box.addButton(FromCp1251(texts_.Msg("No")), QMessageBox::NoRole);
    // Loading such a file floods the user with questions and garbage, so a
    // stray Enter or Escape must not do it.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtQuestions::CreateLoadWindows() {
    if (!detect_) detect_ = new TDetectWnd(WindowTexts(tree_, "formating detected", localized_), parent_);
    if (!large_) large_ = new TLarge(WindowTexts(tree_, "large file", localized_), parent_);
}

void QtQuestions::CreateConversionWindows() {
    if (!content_) content_ = new TContentChecker(WindowTexts(tree_, "content confirm", localized_), parent_);
    if (!tetle_) {
        const std::string ext =
            cp1251::UpperCase(TMyReg(tree_, std::string(kRootKey) + "\\html").ReadString("FileExt", "noxml"));
        tetle_ = new TTetleWnd(WindowTexts(tree_, "docprop", localized_), ext == ".XML", parent_);
    }
}

LargeFileAnswer QtQuestions::AskLargeFile(const std::string& text, const std::string& cancelCaption) {
    CreateLoadWindows();
    TLarge& w = *large_;
    w.NeverAsk->setChecked(false);
    w.Message->setText(FromCp1251(text));
    FitToTexts(&w, w.windowTitle(), w.Message);
    w.CancelBtn->setText(FromCp1251(cancelCaption));
    const bool proceed = w.exec() == QDialog::Accepted;
    return {proceed, w.NeverAsk->isChecked()};
}

FormattingDetectedAnswer QtQuestions::AskFormattingDetected(const std::string& text) {
    CreateLoadWindows();
    TDetectWnd& w = *detect_;
    w.Message->setText(FromCp1251(text));
    FitToTexts(&w, w.windowTitle(), w.Message);
    FormattingDetectedAnswer a;
    if (w.exec() != QDialog::Accepted) return a;
    a.choice = w.OpenForReading->isChecked() ? FormattingDetectedAnswer::Choice::OpenForReading
                                             : FormattingDetectedAnswer::Choice::OpenForEditing;
    a.neverAskAgain = w.NeverAsk->isChecked();
    return a;
}

FormattingDetectedAnswer QtQuestions::AskNotConverted(const std::string& text) {
    CreateLoadWindows();
    detect_->OpenForEditing->setChecked(true);
    detect_->NeverAsk->setChecked(false);
    return AskFormattingDetected(text);
}

YesNoCancel QtQuestions::AskWrongEncoding(const std::string& caption, const std::string& text) {
    TWrongEncoding w(FromCp1251(caption), FromCp1251(text), FromCp1251(texts_.Msg("Yes")),
                     FromCp1251(texts_.Msg("No")), parent_);
    const int answer = w.exec();
    if (answer == QDialog::Accepted) return YesNoCancel::Yes;
    return answer == TWrongEncoding::kNo ? YesNoCancel::No : YesNoCancel::Cancel;
}

bool QtQuestions::ConfirmToc(std::vector<TocChoice>& entries) {
    CreateConversionWindows();
    TContentChecker& w = *content_;
    w.Content->clear();
    for (const TocChoice& e : entries) {
        auto* item = new QListWidgetItem(FromCp1251(e.text), w.Content);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
    }
    if (w.exec() != QDialog::Accepted) return false;
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].checked = w.Content->item(static_cast<int>(i))->checkState() == Qt::Checked;
    return true;
}

bool QtQuestions::AskDocProperties(DocPropertiesRequest& r) {
    CreateConversionWindows();
    TTetleWnd& w = *tetle_;
    w.Title->setText(FromCp1251(r.values.title));
    w.ShortTitle->setText(FromCp1251(r.values.shortTitle));
    w.Autor->setText(FromCp1251(r.values.author));
    w.FirstName->setText(FromCp1251(r.values.firstName));
    w.MidName->setText(FromCp1251(r.values.middleName));
    w.LastName->setText(FromCp1251(r.values.lastName));
    // Long texts show their start, not their end.
    for (QLineEdit* e : {w.Title, w.ShortTitle, w.Autor, w.FirstName, w.MidName, w.LastName}) e->setCursorPosition(0);
    w.AddAutor->setChecked(r.addAuthorToTitle);
    w.Latinic->setChecked(r.makeLatin);
    // Closed without "Done" (Escape): nothing typed is taken.
    if (w.exec() != QDialog::Accepted) return false;
    r.addAuthorToTitle = w.AddAutor->isChecked();
    r.values.title = ToCp1251(w.Title->text());
    r.values.shortTitle = ToCp1251(w.ShortTitle->text());
    r.values.author = ToCp1251(w.Autor->text());
    r.makeLatin = w.Latinic->isChecked();
    r.values.firstName = ToCp1251(w.FirstName->text());
    r.values.middleName = ToCp1251(w.MidName->text());
    r.values.lastName = ToCp1251(w.LastName->text());
    return true;
}

}  // namespace pm::gui
