// "Colorifer": the custom reader style — body and text colour from lists of
// the sixteen standard colours or from the colour dialog, a font and a size.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QFontComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <string>

#include "config/Localization.h"

namespace pm::gui {

class TColorifer : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinFontSize = 1;
    static constexpr int kMaxFontSize = 200;

    explicit TColorifer(const WindowTexts& texts, QWidget* parent = nullptr);

    // The read-outs: the colour name shown, else the list's colour as
    // #RRGGBB.
    std::string BodyColor() const { return Readout(BodyBox); }
    std::string TextColor() const { return Readout(TextBox); }
    std::string FontName() const;
    // The size field's text with "pt" ("12pt").
    std::string FontSize() const;

    // What "Custom..." does with the colour the dialog gave: the list
    // stands for that colour, shows it, and names none.
    static void SetCustomColor(QComboBox* list, const QColor& color);

    QComboBox* BodyBox;
    QComboBox* TextBox;
    QPushButton* Button3;  // "Custom..." of the body colour
    QPushButton* Button4;  // "Custom..." of the text colour
    QFontComboBox* FontComboBox1;
    QSpinBox* SpinEdit1;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

public slots:
    void CustomClick();

private:
    static std::string Readout(const QComboBox* list);
    static QColor ListColor(const QComboBox* list);
    static void ShowColor(QComboBox* list, const QColor& color);
};

}  // namespace pm::gui
