#include "xml/qt/XMStateForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"

namespace pm::gui {

TXMStateForm::TXMStateForm(const WindowTexts& t, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName("TXMStateForm");
    setWindowTitle(FromCp1251(t.Get("title", "XML Status")));
    setModal(false);
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Button1 = new QPushButton(FromCp1251(t.Get("btn1", "Close")));
    Button1->setObjectName("Button1");
    goToCaption_ = FromCp1251(t.Get("btn2", "Go to error >>"));
    Button2 = new QPushButton(goToCaption_);
    Button2->setObjectName("Button2");
    Button2->setDefault(true);
    Button3 = new QPushButton(FromCp1251(t.Get("btn3", "Help!")));
    Button3->setObjectName("Button3");
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, [this] {
        close();
        emit GoToError(line_, column_);
    });
    connect(Button3, &QPushButton::clicked, this, &TXMStateForm::HelpAsked);
    auto* row = new QHBoxLayout;
    row->addWidget(Button1);
    row->addStretch();
    row->addWidget(Button3);
    row->addWidget(Button2);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Memo1);
    box->addLayout(row);
    resize(560, 260);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TXMStateForm::Fill(const XmlParseError& error, bool htmlEditorOn) {
    QStringList lines;
    for (const std::string& line : XmlReportLines(error)) lines << FromCp1251(line);
    Memo1->setPlainText(lines.join('\n'));
    line_ = error.line;
    column_ = error.linepos;
    Button2->setEnabled(htmlEditorOn);
    Button2->setText(htmlEditorOn ? goToCaption_ : QStringLiteral("HTML editor off"));
}

}  // namespace pm::gui
