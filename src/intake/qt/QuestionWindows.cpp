#include "intake/qt/QuestionWindows.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"
#include "platform/qt/WindowFit.h"

namespace pm::gui {

namespace {
QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

// Texts may hold mark-up characters; they are shown as they are.
QLabel* PlainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QHBoxLayout* ButtonRow(QPushButton* a, QPushButton* b) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(a);
    row->addWidget(b);
    return row;
}
}  // namespace

TLarge::TLarge(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TLarge");
    setWindowTitle(Caption(t, "title", "Large file"));
    Message = PlainLabel(Caption(t, "message", "File is larger, than 2MB. Convertion may take a while. Proceed?"));
    NeverAsk = new QCheckBox(Caption(t, "never ask", "Never ask me again"));
    Proceed = new QPushButton(Caption(t, "btn1", "Proceed"));
    CancelBtn = new QPushButton(Caption(t, "btn2", "Cancel"));
    Proceed->setDefault(true);
    connect(Proceed, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Message);
    box->addWidget(NeverAsk);
    box->addLayout(ButtonRow(Proceed, CancelBtn));
}

TDetectWnd::TDetectWnd(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TDetectWnd");
    setWindowTitle(Caption(t, "title", "Formating detected"));
    Message = PlainLabel(Caption(t, "message", "This document WAS ALREADY formated using Pellmark program."));
    Message2 = PlainLabel(Caption(t, "message2", "What do you want to do?"));
    OpenForReading = new QRadioButton(Caption(t, "open for reading", "Open document for reading"));
    OpenForEditing = new QRadioButton(Caption(t, "open for editing", "Open document for editing"));
    OpenForReading->setChecked(true);
    NeverAsk = new QCheckBox(Caption(t, "never ask", "Never ask me again"));
    OkBtn = new QPushButton(Caption(t, "btn1", "Ok"));
    CancelBtn = new QPushButton(Caption(t, "btn2", "Cancel"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Message);
    box->addWidget(Message2);
    box->addWidget(OpenForReading);
    box->addWidget(OpenForEditing);
    box->addWidget(NeverAsk);
    box->addLayout(ButtonRow(OkBtn, CancelBtn));
}

TWrongEncoding::TWrongEncoding(const QString& caption, const QString& text, const QString& yes, const QString& no,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName("TWrongEncoding");
    setWindowTitle(caption);
    Message = PlainLabel(text);
    YesBtn = new QPushButton(yes);
    NoBtn = new QPushButton(no);
    YesBtn->setDefault(true);
    connect(YesBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoBtn, &QPushButton::clicked, this, [this] { done(kNo); });
    auto* box = new QVBoxLayout(this);
    box->addWidget(Message);
    box->addLayout(ButtonRow(YesBtn, NoBtn));
    FitToTexts(this, caption, Message);
}

}  // namespace pm::gui
