#include "reader/qt/BookmarkManager.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"

namespace pm::gui {
namespace {

QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

}  // namespace

// ---- TBookmName

TBookmName::TBookmName(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TBookmName");
    setWindowTitle(Caption(t, "title", "Enter the name for bookmark"));
    Edit1 = new QLineEdit;
    OkBtn = new QPushButton(Caption(t, "btn1", "&Ok"));
    CancelBtn = new QPushButton(Caption(t, "btn2", "&Cancel"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // Typing stops at the limit; a longer preset stays as it is and may
    // only shrink.
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& now) {
        Edit1->setMaxLength(std::max(kTypedLength, int(now.size())));
    });
    auto* box = new QVBoxLayout(this);
    box->addWidget(Edit1);
    box->addLayout(ButtonRow({OkBtn, CancelBtn}));
    resize(360, sizeHint().height());
}

std::optional<QString> TBookmName::Ask(const QString& preset) {
    Edit1->setMaxLength(std::max(kTypedLength, int(preset.size())));
    Edit1->setText(preset);
    Edit1->selectAll();
    Edit1->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Edit1->text();
}

// ---- TBookManage

TBookManage::TBookManage(const WindowTexts& t, TBookmName& nameWindow, QWidget* parent)
    : QDialog(parent), nameWindow_(nameWindow) {
    setObjectName("TBookManage");
    setWindowTitle(Caption(t, "title", "Bookmark editor"));
    ListBox1 = new QListWidget;
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    OkBtn = new QPushButton(Caption(t, "btn1", "&Ok"));
    CancelBtn = new QPushButton(Caption(t, "btn2", "Cancel"));
    EditBtn = new QPushButton(Caption(t, "btn3", "Edit name..."));
    RemoveBtn = new QPushButton(Caption(t, "btn4", "Remove"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(EditBtn, &QPushButton::clicked, this, &TBookManage::EditNameClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TBookManage::RemoveClick);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TBookManage::EditNameClick);
    auto* side = new QVBoxLayout;
    side->addWidget(EditBtn);
    side->addWidget(RemoveBtn);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ListBox1, 1);
    top->addLayout(side);
    auto* box = new QVBoxLayout(this);
    box->addLayout(top, 1);
    box->addLayout(ButtonRow({OkBtn, CancelBtn}));
    resize(420, 300);
}

void TBookManage::Fill(const std::vector<reader::Bookmark>& bookmarks) {
    ListBox1->clear();
    for (const reader::Bookmark& b : bookmarks) {
        auto* item = new QListWidgetItem(FromCp1251(b.name), ListBox1);
        item->setData(Qt::UserRole, b.id);
    }
}

std::vector<reader::Bookmark> TBookManage::Entries() const {
    std::vector<reader::Bookmark> out;
    for (int n = 0; n < ListBox1->count(); ++n) {
        const QListWidgetItem* item = ListBox1->item(n);
        out.push_back({item->data(Qt::UserRole).toInt(), ToCp1251(item->text())});
    }
    return out;
}

void TBookManage::EditNameClick() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) return;
    if (const std::optional<QString> name = nameWindow_.Ask(item->text())) item->setText(*name);
}

void TBookManage::RemoveClick() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) return;
    delete ListBox1->takeItem(ListBox1->row(item));
    ListBox1->setCurrentItem(nullptr);
}

// ---- TCommentWnd

TCommentWnd::TCommentWnd(const WindowTexts& t, QWidget* parent) : QDialog(parent) {
    setObjectName("TCommentWnd");
    setWindowTitle(Caption(t, "title", "Enter the comment"));
    Memo1 = new QPlainTextEdit;
    Memo1->setTabChangesFocus(true);
    Button1 = new QPushButton(Caption(t, "btn1", "Done"));
    Button2 = new QPushButton(Caption(t, "btn2", "Cancel"));
    Button1->setDefault(true);
    Button1->setEnabled(false);
    connect(Memo1, &QPlainTextEdit::textChanged, this,
            [this] { Button1->setEnabled(!Memo1->toPlainText().isEmpty()); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto* box = new QVBoxLayout(this);
    box->addWidget(Memo1, 1);
    box->addLayout(ButtonRow({Button1, Button2}));
    resize(380, 220);
}

std::optional<std::vector<QString>> TCommentWnd::Ask() {
    Memo1->clear();
    Button1->setEnabled(false);
    Memo1->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    QStringList lines = Memo1->toPlainText().split('\n');
    // A line break at the very end starts no line of its own.
    if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
    return std::vector<QString>(lines.begin(), lines.end());
}

}  // namespace pm::gui
