#include "options/qt/OptionsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "config/Languages.h"
#include "config/Localization.h"
#include "config/Texts.h"
#include "platform/Questions.h"
#include "platform/qt/Text1251.h"

namespace pm::gui {
namespace {

constexpr int kLargestNumber = 268435455;

// The pictures of the row images: a box, a ticked box, a grey box, a
// heading's folder and a row of values.
QIcon RowIcon(int image) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
        case kImageOn:
        case kImageOff:
        case kImageDisabled:
            p.setPen(image == kImageDisabled ? QColor(170, 170, 170) : QColor(60, 60, 60));
            p.setBrush(image == kImageDisabled ? QColor(225, 225, 225) : Qt::white);
            p.drawRect(2, 2, 11, 11);
            if (image == kImageOn) {
                p.setPen(QPen(QColor(20, 110, 40), 2));
                p.drawPolyline(QPolygon({QPoint(4, 8), QPoint(7, 11), QPoint(12, 4)}));
            }
            break;
        case kImageGroup:
            p.setPen(QColor(150, 110, 30));
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(1, 4, 14, 10);
            break;
        default:
            p.setPen(QColor(40, 70, 140));
            p.setBrush(QColor(200, 215, 245));
            p.drawRect(2, 5, 12, 7);
            p.drawLine(5, 8, 11, 8);
            break;
    }
    return QIcon(pixmap);
}

// The rows each heading holds: a heading takes every row up to the next one.
bool IsGroup(int row) { return OptionRows()[size_t(row)].kind == RowKind::Group; }

}  // namespace

OptionsPanel::OptionsPanel(OptionsModel& model, const Texts& texts, Questions& questions, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), questions_(questions) {
    setObjectName("OptionsPanel");
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    OptionsTree = new QTreeWidget(this);
    OptionsTree->setObjectName("OptionsTree");
    OptionsTree->header()->hide();
    OptionsTree->setIconSize(QSize(16, 16));
    box->addWidget(OptionsTree, 1);
    BuildEditors();
    Descr = new QTextBrowser(this);
    Descr->setObjectName("Descr");
    Descr->setMaximumHeight(90);
    box->addWidget(Descr);
    BuildTree();
    OptionsTree->viewport()->installEventFilter(this);
    OptionsTree->installEventFilter(this);
    connect(OptionsTree, &QTreeWidget::currentItemChanged, this, &OptionsPanel::OptionsTreeChange);
}

void OptionsPanel::BuildTree() {
    QTreeWidgetItem* top = nullptr;
    QTreeWidgetItem* group = nullptr;
    for (int row = 0; row < kRowCount; ++row) {
        QTreeWidgetItem* item;
        if (row == 0) item = top = new QTreeWidgetItem(OptionsTree);
        else if (IsGroup(row)) item = group = new QTreeWidgetItem(top);
        else item = new QTreeWidgetItem(group);
        item->setData(0, Qt::UserRole, row);
        items_.push_back(item);
    }
    OptionsTree->expandAll();
    RefreshRows();
}

void OptionsPanel::BuildEditors() {
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    Label1 = new QLabel(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(0, kLargestNumber);
    FontComboBox1 = new QFontComboBox(this);
    ComboBox1 = new QComboBox(this);
    LangOption = new QComboBox(this);
    for (const LanguageEntry& l : Languages()) LangOption->addItem(FromCp1251(l.name));
    PresBreak = new QCheckBox("Preserve breaks", this);
    const std::pair<QWidget*, const char*> widgets[] = {
        {Label1, "Label1"},         {Edit1, "Edit1"},         {Edit2, "Edit2"},           {SpinEdit1, "SpinEdit1"},
        {FontComboBox1, "FontComboBox1"}, {ComboBox1, "ComboBox1"}, {LangOption, "LangOption"}, {PresBreak, "PresBreak"}};
    for (auto [w, name] : widgets) {
        w->setObjectName(name);
        w->hide();
        layout->addWidget(w);
    }
    connect(Edit1, &QLineEdit::textEdited, this, &OptionsPanel::EditorChange);
    connect(Edit2, &QLineEdit::textEdited, this, &OptionsPanel::EditorChange);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &OptionsPanel::EditorChange);
    connect(FontComboBox1, &QFontComboBox::currentFontChanged, this, &OptionsPanel::EditorChange);
    connect(ComboBox1, &QComboBox::activated, this, &OptionsPanel::EditorChange);
    connect(LangOption, &QComboBox::currentIndexChanged, this, &OptionsPanel::EditorChange);
    connect(PresBreak, &QCheckBox::toggled, this, &OptionsPanel::EditorChange);
}

int OptionsPanel::RowOf(const QTreeWidgetItem* item) const { return item ? item->data(0, Qt::UserRole).toInt() : -1; }

void OptionsPanel::RefreshRows() {
    for (int row = 0; row < kRowCount; ++row) {
        QTreeWidgetItem* item = items_[size_t(row)];
        const QString text = FromCp1251(model_.Text(row));
        item->setText(0, text);
        item->setToolTip(0, text);  // the panel may be narrower than the text
        const int image = model_.Image(row);
        item->setIcon(0, RowIcon(image));
        item->setData(0, Qt::UserRole + 1, image);
        item->setForeground(0, image == kImageDisabled ? palette().color(QPalette::Disabled, QPalette::Text)
                                                       : palette().color(QPalette::Text));
    }
}

void OptionsPanel::OptionChanged(std::string_view) { RefreshRows(); }

void OptionsPanel::TextsApplied(const InterfaceTexts&) { RefreshRows(); }

// The click toggles only on the row's image, never on its text.
bool OptionsPanel::OnImage(const QTreeWidgetItem* item, const QPoint& pos) const {
    const QRect rect = OptionsTree->visualItemRect(item);
    return pos.x() >= rect.left() && pos.x() < rect.left() + OptionsTree->iconSize().width() + 4;
}

bool OptionsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == OptionsTree->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QTreeWidgetItem* item = OptionsTree->itemAt(mouse->position().toPoint());
        if (item && OnImage(item, mouse->position().toPoint())) ToggleRow(RowOf(item));
    } else if (watched == OptionsTree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Asterisk ||
            key == Qt::Key_Plus) {
            ToggleRow(RowOf(OptionsTree->currentItem()));
            return true;
        }
    } else if (watched == OptionsTree && event->type() == QEvent::FocusOut) {
        const QWidget* next = QApplication::focusWidget();
        if (!next || !isAncestorOf(next)) OptionsTreeExit();
    }
    return QWidget::eventFilter(watched, event);
}

void OptionsPanel::ClickImage(int row) {
    OptionsTree->setCurrentItem(Row(row));
    ToggleRow(row);
}

void OptionsPanel::ClickText(int row) { OptionsTree->setCurrentItem(Row(row)); }

void OptionsPanel::ToggleRow(int row) {
    if (row < 0) return;
    std::string error;
    if (!model_.Toggle(row, &error)) {
        if (!error.empty()) questions_.ShowMessage(texts_.Msg("Error"), error, MessageIcon::Error);
        return;
    }
    RefreshRows();
    // The row's widgets follow its new state.
    CommitOpenRow();
    OpenRow(row);
}

void OptionsPanel::OptionsTreeChange(QTreeWidgetItem* current, QTreeWidgetItem*) {
    CommitOpenRow();
    OpenRow(RowOf(current));
}

// Leaving the panel commits the open row and opens it again.
void OptionsPanel::OptionsTreeExit() {
    const int row = editor_.row;
    CommitOpenRow();
    if (row >= 0) OpenRow(row);
}

void OptionsPanel::CommitOpenRow() {
    if (editor_.tag == 0) return;
    ReadEditor();
    const RowEditor committed = editor_;
    editor_ = RowEditor{};
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(SpinEdit1), static_cast<QWidget*>(FontComboBox1),
                       static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(LangOption),
                       static_cast<QWidget*>(PresBreak)})
        w->hide();
    const std::string message = model_.Commit(committed);
    RefreshRows();
    if (!message.empty()) questions_.ShowMessage(texts_.Msg("Error"), texts_.Msg(message), MessageIcon::Error);
}

void OptionsPanel::OpenRow(int row) {
    Descr->setPlainText(FromCp1251(model_.Description(row)));
    editor_ = model_.Open(row);
    if (editor_.tag == 0) return;
    if (editor_.fontList) {
        const std::string message = model_.FontListMessage();
        if (!message.empty()) questions_.ShowMessage(texts_.Msg("Error"), texts_.Msg(message), MessageIcon::Error);
    }
    ShowEditor();
}

void OptionsPanel::ShowEditor() {
    filling_ = true;
    Label1->setText(FromCp1251(editor_.label));
    Label1->show();
    Edit1->setText(FromCp1251(editor_.text1));
    Edit1->setVisible(editor_.edit1);
    Edit2->setText(FromCp1251(editor_.text2));
    Edit2->setVisible(editor_.edit2);
    SpinEdit1->setValue(editor_.value);
    SpinEdit1->setVisible(editor_.number);
    FontComboBox1->setCurrentFont(QFont(FromCp1251(editor_.fontName)));
    FontComboBox1->setVisible(editor_.font);
    ComboBox1->clear();
    for (const std::string& c : editor_.fontChoices) ComboBox1->addItem(FromCp1251(c));
    ComboBox1->setCurrentIndex(editor_.fontChoice);
    ComboBox1->setVisible(editor_.fontList);
    LangOption->setCurrentIndex(editor_.languageIndex);
    LangOption->setVisible(editor_.language);
    PresBreak->setChecked(editor_.checked);
    PresBreak->setVisible(editor_.check);
    filling_ = false;
}

void OptionsPanel::ReadEditor() {
    editor_.text1 = ToCp1251(Edit1->text());
    editor_.text2 = ToCp1251(Edit2->text());
    editor_.value = SpinEdit1->value();
    editor_.fontName = ToCp1251(FontComboBox1->currentFont().family());
    editor_.fontChoice = ComboBox1->currentIndex();
    editor_.languageIndex = LangOption->currentIndex();
    editor_.checked = PresBreak->isChecked();
}

// Each keystroke and each choice takes effect at once.
void OptionsPanel::EditorChange() {
    if (filling_ || editor_.tag == 0) return;
    ReadEditor();
    model_.Apply(editor_);
    RefreshRows();
}

}  // namespace pm::gui
