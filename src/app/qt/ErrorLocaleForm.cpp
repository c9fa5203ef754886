#include "app/qt/ErrorLocaleForm.h"

#include <QDesktopServices>
#include <QUrl>
#include <QVBoxLayout>

namespace pm::gui {

TErrorLocaleForm::TErrorLocaleForm(const QString& text, const QString& link, QWidget* parent) : QDialog(parent) {
    setObjectName("TErrorLocaleForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle("Error loaidng settings");
    Text = new QLabel(text);
    Text->setTextFormat(Qt::PlainText);
    Text->setWordWrap(true);
    Link = new QLabel("<a href=\"" + link.toHtmlEscaped() + "\">" + link.toHtmlEscaped() + "</a>");
    OkBtn = new QPushButton("Ok");
    connect(Link, &QLabel::linkActivated, this, [this](const QString& url) {
        QDesktopServices::openUrl(QUrl(url));
        close();
    });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::close);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Text);
    box->addWidget(Link);
    box->addWidget(OkBtn, 0, Qt::AlignRight);
}

}  // namespace pm::gui
