#include "reader/qt/Colorifer.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"
#include "reader/ReadingComfort.h"

namespace pm::gui {
namespace {

// The colour a list stands for, kept beside its entries: a custom colour
// has no entry of its own.
constexpr const char* kColorProperty = "listColor";
constexpr int kLimeIndex = 10;

QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter(&pixmap).drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

QComboBox* ColorList(const QString& name) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    for (const reader::NamedColor& c : reader::kStandardColors)
        list->addItem(Swatch(QColor::fromRgb(c.rgb)), QString::fromLatin1(c.name.data(), qsizetype(c.name.size())),
                      QVariant::fromValue(uint(c.rgb)));
    return list;
}

}  // namespace

TColorifer::TColorifer(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TColorifer");
    setWindowTitle(Caption(t, "title", "Colorifer"));
    const QString custom = Caption(t, "custom", "Custom...");
    BodyBox = ColorList("BodyBox");
    TextBox = ColorList("TextBox");
    Button3 = new QPushButton(custom);
    Button3->setProperty("tag", 0);
    Button4 = new QPushButton(custom);
    Button4->setProperty("tag", 1);
    FontComboBox1 = new QFontComboBox;
    SpinEdit1 = new QSpinBox;
    SpinEdit1->setRange(kMinFontSize, kMaxFontSize);
    SpinEdit1->setValue(12);
    OkBtn = new QPushButton(Caption(t, "btn1", "&Ok"));
    CancelBtn = new QPushButton(Caption(t, "btn2", "&Cancel"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* b : {Button3, Button4}) connect(b, &QPushButton::clicked, this, &TColorifer::CustomClick);
    for (QComboBox* list : {BodyBox, TextBox})
        connect(list, &QComboBox::currentIndexChanged, list, [list](int index) {
            if (index >= 0) ShowColor(list, QColor::fromRgb(list->itemData(index).toUInt()));
        });
    BodyBox->setCurrentIndex(0);
    ShowColor(BodyBox, Qt::black);
    TextBox->setCurrentIndex(kLimeIndex);

    auto rowOf = [](QComboBox* list, QPushButton* button) {
        auto* row = new QHBoxLayout;
        row->addWidget(list, 1);
        row->addWidget(button);
        return row;
    };
    auto* form = new QFormLayout;
    form->addRow(Caption(t, "bodycolor", "Color for body"), rowOf(BodyBox, Button3));
    form->addRow(Caption(t, "textcolor", "Color for text"), rowOf(TextBox, Button4));
    auto* font = new QHBoxLayout;
    font->addWidget(FontComboBox1, 1);
    font->addWidget(SpinEdit1);
    form->addRow(Caption(t, "mainfont", "Main font"), font);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addLayout(buttons);
}

std::string TColorifer::FontName() const { return ToCp1251(FontComboBox1->currentFont().family()); }

std::string TColorifer::FontSize() const { return ToCp1251(SpinEdit1->text()) + "pt"; }

void TColorifer::CustomClick() {
    QComboBox* list = sender() == Button3 ? BodyBox : TextBox;
    const QColor chosen = QColorDialog::getColor(ListColor(list), this);
    if (chosen.isValid()) SetCustomColor(list, chosen);
}

void TColorifer::SetCustomColor(QComboBox* list, const QColor& color) {
    // "Custom" is no entry of the list, so the list names no colour.
    list->setCurrentIndex(list->findText("Custom"));
    ShowColor(list, color);
}

void TColorifer::ShowColor(QComboBox* list, const QColor& color) {
    list->setProperty(kColorProperty, QVariant::fromValue(uint(color.rgb() & 0xFFFFFFu)));
    QPalette p = list->palette();
    p.setColor(QPalette::Button, color);
    p.setColor(QPalette::ButtonText, color.lightness() < 128 ? Qt::white : Qt::black);
    list->setPalette(p);
}

QColor TColorifer::ListColor(const QComboBox* list) {
    return QColor::fromRgb(list->property(kColorProperty).toUInt());
}

std::string TColorifer::Readout(const QComboBox* list) {
    return reader::ColorReadout(ToCp1251(list->currentText()), list->property(kColorProperty).toUInt());
}

}  // namespace pm::gui
