// The window that refuses a localization made for another build: a text, a
// link to the page with current localizations and "Ok". It does not block,
// and frees itself when closed.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace pm::gui {

class TErrorLocaleForm : public QDialog {
    Q_OBJECT
public:
    TErrorLocaleForm(const QString& text, const QString& link, QWidget* parent = nullptr);
    QLabel* Text;
    QLabel* Link;
    QPushButton* OkBtn;
};

}  // namespace pm::gui
