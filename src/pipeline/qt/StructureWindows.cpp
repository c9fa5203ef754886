#include "pipeline/qt/StructureWindows.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"

namespace pm::gui {

namespace {
QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

// The window keeps its designed positions, like the rows of a form.
constexpr int kLabelX = 8, kEditX = 230, kEditW = 230, kRowH = 22;

QLabel* PlaceLabel(QWidget* w, const QString& text, int top) {
    auto* l = new QLabel(text, w);
    l->setTextFormat(Qt::PlainText);  // "<title></title>" is part of the caption
    l->setGeometry(kLabelX, top, kEditX - kLabelX - 4, kRowH);
    return l;
}

QLineEdit* PlaceEdit(QWidget* w, int top) {
    auto* e = new QLineEdit(w);
    e->setGeometry(kEditX, top, kEditW, kRowH);
    return e;
}

void Swap(QLineEdit* a, QLineEdit* b) {
    const QString t = a->text();
    a->setText(b->text());
    b->setText(t);
}
}  // namespace

TContentChecker::TContentChecker(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TContentChecker");
    setWindowTitle(Caption(t, "title", "Table of content confirmation"));
    Label1 = new QLabel(Caption(t, "caption", "Table of content (uncheck unneeded items)"));
    Label1->setTextFormat(Qt::PlainText);
    Content = new QListWidget;
    Content->setObjectName("Content");
    UnCheckAll = new QPushButton(Caption(t, "btn1", "Uncheck all"));
    CheckAll = new QPushButton(Caption(t, "btn2", "Check all"));
    Button1 = new QPushButton(Caption(t, "btn3", "Done"));
    Button1->setDefault(true);
    connect(UnCheckAll, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(CheckAll, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(UnCheckAll);
    row->addWidget(CheckAll);
    row->addStretch();
    row->addWidget(Button1);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Label1);
    box->addWidget(Content);
    box->addLayout(row);
    resize(420, 360);
}

bool TContentChecker::AnyChecked() const {
    for (int i = 0; i < Content->count(); ++i)
        if (Content->item(i)->checkState() == Qt::Checked) return true;
    return false;
}

void TContentChecker::SetAll(bool checked) {
    for (int i = 0; i < Content->count(); ++i) Content->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

TTetleWnd::TTetleWnd(const WindowTexts& t, bool xmlOutput, QWidget* parent) : QDialog(parent) {
    setObjectName("TTetleWnd");
    setWindowTitle(Caption(t, "title", "Document properties"));
    Label2 = PlaceLabel(this, Caption(t, "title doc", "Title (for document)"), 8);
    Title = PlaceEdit(this, 8);
    Label3 = PlaceLabel(this, Caption(t, "title head", "Short title (for <title></title> tag)"), 34);
    ShortTitle = PlaceEdit(this, 34);
    Label1 = PlaceLabel(this, Caption(t, "author", "Author (for <meta> tag)"), 60);
    Autor = PlaceEdit(this, 60);
    Autor->setEnabled(false);
    Label4 = PlaceLabel(this, Caption(t, "FirstName", "First name"), 94);
    FirstName = PlaceEdit(this, 94);
    Label6 = PlaceLabel(this, Caption(t, "MiddleName", "Middle name"), 130);
    MidName = PlaceEdit(this, 130);
    Label5 = PlaceLabel(this, Caption(t, "LastName", "Last name"), 166);
    LastName = PlaceEdit(this, 166);
    Button2 = new QPushButton("<>", this);
    Button2->setGeometry(kEditX + kEditW + 4, 112, 30, kRowH);
    Button3 = new QPushButton("<>", this);
    Button3->setGeometry(kEditX + kEditW + 4, 148, 30, kRowH);
    connect(Button2, &QPushButton::clicked, this, [this] { Swap(FirstName, MidName); });
    connect(Button3, &QPushButton::clicked, this, [this] { Swap(LastName, MidName); });
    AddAutor = new QCheckBox(Caption(t, "add author", "Auto add autor to <title> next time"), this);
    AddAutor->setGeometry(kLabelX, 198, 300, 18);
    Latinic = new QCheckBox(Caption(t, "Make latin", "Latinic short title next time"), this);
    Latinic->setGeometry(kLabelX, 215, 300, 18);
    Button1 = new QPushButton(Caption(t, "btn", "Done"), this);
    Button1->setGeometry(kEditX + kEditW - 90, 204, 90, 26);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    int height = 240;
    if (!xmlOutput) {
        for (QWidget* w : std::initializer_list<QWidget*>{Label4, Label5, Label6, FirstName, MidName, LastName,
                                                           Button2, Button3})
            w->hide();
        Button1->move(Button1->x(), 100);
        AddAutor->move(AddAutor->x(), 94);
        Latinic->move(Latinic->x(), 111);
        Autor->setEnabled(true);
        height = 140;
    }
    setFixedSize(kEditX + kEditW + 42, height);
}

}  // namespace pm::gui
