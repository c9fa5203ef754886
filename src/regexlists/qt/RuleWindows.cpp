#include "regexlists/qt/RuleWindows.h"

#include <QAction>
#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config/ConfigTree.h"
#include "config/Localization.h"
#include "config/TMyReg.h"
#include "config/Texts.h"
#include "platform/Questions.h"
#include "platform/StatusSink.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "regexlists/RegexApply.h"
#include "regexlists/RuleRun.h"

namespace pm::gui {
namespace {

constexpr int kEditMargin = 156;  // the edits are as wide as the window less this
constexpr int kHtmlPage = 1;      // the page control of the main window

// The list window's captions live under Controls\RegExprList of the root.
class ListTexts {
public:
    ListTexts(const ConfigTree& tree, bool localized)
        : reg_(tree, std::string(kRootKey) + "\\Controls\\RegExprList"), use_(localized) {}
    QString Get(const char* name, const char* def) const {
        return FromCp1251(use_ ? reg_.ReadString(name, def) : std::string(def));
    }

private:
    TMyReg reg_;
    bool use_;
};

QString Caption(const WindowTexts& t, const char* name, const char* def) { return FromCp1251(t.Get(name, def)); }

QString Cut(const std::string& name) { return FromCp1251(name.substr(0, RegexRuleLists::kMenuCaptionLength)); }

}  // namespace

// ---- the rule editor

TRegExprEdit::TRegExprEdit(const ConfigTree& tree, bool localized, QWidget* parent) : QDialog(parent) {
    const WindowTexts t(tree, "RegExprEditor", localized);
    setObjectName("TRegExprEdit");
    setWindowTitle(Caption(t, "title", "Regilar expression editor"));
    Edit3 = new QLineEdit(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    RxRichEdit1 = new QPlainTextEdit(this);
    RxRichEdit2 = new QPlainTextEdit(this);
    RxRichEdit2->setReadOnly(true);
    OkBtn = new QPushButton(Caption(t, "BTN1", "Ok"), this);
    CancelBtn = new QPushButton(Caption(t, "BTN2", "Cancel"), this);
    TestBtn = new QPushButton(Caption(t, "BTN3", "&Test"), this);
    auto* form = new QFormLayout;
    form->addRow(Caption(t, "Name", "Rule name"), Edit3);
    form->addRow(Caption(t, "Pattern", "Search for"), Edit1);
    form->addRow(Caption(t, "Replace", "Replace with"), Edit2);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(new QLabel(Caption(t, "SRC", "Sorce"), this));
    box->addWidget(RxRichEdit1, 1);
    box->addWidget(new QLabel(Caption(t, "Parced", "Parsed"), this));
    box->addWidget(RxRichEdit2, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(TestBtn);
    row->addStretch(1);
    row->addWidget(OkBtn);
    row->addWidget(CancelBtn);
    box->addLayout(row);
    connect(TestBtn, &QPushButton::clicked, this, &TRegExprEdit::TestClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 420);
}

void TRegExprEdit::SetRule(const RegexRule& rule) {
    Edit3->setText(FromCp1251(rule.name));
    Edit1->setText(FromCp1251(rule.search));
    Edit2->setText(FromCp1251(rule.replace));
    RxRichEdit2->clear();
}

RegexRule TRegExprEdit::Rule() const {
    return {ToCp1251(Edit3->text()), ToCp1251(Edit1->text()), ToCp1251(Edit2->text())};
}

void TRegExprEdit::TestClick() {
    const RegexRule rule = Rule();
    RxRichEdit2->setPlainText(FromCp1251(rx::ApplyRegex(rule.search, rule.replace, ToCp1251(RxRichEdit1->toPlainText()))));
}

void TRegExprEdit::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    for (QLineEdit* e : {Edit1, Edit2, Edit3}) e->setFixedWidth(std::max(80, width() - kEditMargin));
}

// ---- the list window

TRegList::TRegList(RegexRuleLists& rules, const Texts& texts, Questions& questions, const ConfigTree& tree,
                   bool localized, QWidget* parent)
    : QDialog(parent), rules_(rules), texts_(texts), questions_(questions) {
    const ListTexts t(tree, localized);
    setObjectName("TRegList");
    setWindowTitle(t.Get("Title", "Regular expressions"));
    Pages = new QTabWidget(this);
    SRCRegExpr = new QListWidget;
    HTMRegExpr = new QListWidget;
    SRCRegExpr->setObjectName("SRCRegExpr");
    HTMRegExpr->setObjectName("HTMRegExpr");
    Pages->addTab(HTMRegExpr, "HTML");
    Pages->addTab(SRCRegExpr, t.Get("SRC", "Source"));
    Pages->setCurrentWidget(SRCRegExpr);  // the source page first
    AddBtn = new QPushButton(t.Get("AddBtn", "&Add..."), this);
    EditBtn = new QPushButton(t.Get("EditBtn", "&Edit..."), this);
    DelBtn = new QPushButton(t.Get("DelBtn", "&Delete"), this);
    UpBtn = new QPushButton(t.Get("UpBtn", "Move &UP"), this);
    DnBtn = new QPushButton(t.Get("DnBtn", "Move DO&WN"), this);
    CloseBtn = new QPushButton(t.Get("CloseBtn", "&Close"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {AddBtn, EditBtn, DelBtn, UpBtn, DnBtn}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* box = new QHBoxLayout(this);
    box->addWidget(Pages, 1);
    box->addLayout(buttons);
    editor_ = new TRegExprEdit(tree, localized, this);
    connect(AddBtn, &QPushButton::clicked, this, &TRegList::AddClick);
    connect(EditBtn, &QPushButton::clicked, this, &TRegList::EditClick);
    connect(DelBtn, &QPushButton::clicked, this, &TRegList::DeleteClick);
    connect(UpBtn, &QPushButton::clicked, this, [this] { MoveClick(-1); });
    connect(DnBtn, &QPushButton::clicked, this, [this] { MoveClick(+1); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    for (RuleList list : {RuleList::Source, RuleList::Html})
        connect(List(list), &QListWidget::itemChanged, this, [this, list](QListWidgetItem* item) {
            if (filling_) return;
            rules_.SetChecked(list, size_t(List(list)->row(item)), item->checkState() == Qt::Checked);
            changed_ = true;
        });
    Fill();
    resize(480, 320);
}

RuleList TRegList::ActiveList() const {
    return Pages->currentWidget() == HTMRegExpr ? RuleList::Html : RuleList::Source;
}

void TRegList::Fill() {
    filling_ = true;
    for (RuleList list : {RuleList::Source, RuleList::Html}) {
        QListWidget* w = List(list);
        const int current = w->currentRow();
        w->clear();
        for (const RuleListItem& item : rules_.Items(list)) {
            auto* row = new QListWidgetItem(FromCp1251(rules_.Rules()[item.rule].name), w);
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
        }
        w->setCurrentRow(std::min(current, w->count() - 1));
    }
    filling_ = false;
}

int TRegList::SelectedRow() const {
    const QListWidget* w = List(ActiveList());
    return w->currentItem() && w->currentItem()->isSelected() ? w->currentRow() : -1;
}

void TRegList::AddClick() {
    editor_->SetRule({});
    if (editor_->exec() != QDialog::Accepted) return;
    if (!rules_.Add(editor_->Rule())) {
        QApplication::beep();  // a name another rule has
        return;
    }
    changed_ = true;
    Fill();
}

void TRegList::EditClick() {
    const int row = SelectedRow();
    if (row < 0) return QApplication::beep();
    const size_t rule = rules_.Items(ActiveList())[size_t(row)].rule;
    editor_->SetRule(rules_.Rules()[rule]);
    if (editor_->exec() != QDialog::Accepted) return;
    if (!rules_.Edit(rule, editor_->Rule())) return QApplication::beep();
    changed_ = true;
    Fill();
    List(ActiveList())->setCurrentRow(row);
}

void TRegList::DeleteClick() {
    const int row = SelectedRow();
    if (row < 0) return QApplication::beep();
    const size_t rule = rules_.Items(ActiveList())[size_t(row)].rule;
    if (!questions_.AskYesNo(texts_.Msg("Confirm"), rules_.DeleteQuestion(texts_, rule))) return;
    rules_.Delete(rule);
    changed_ = true;
    Fill();
}

void TRegList::MoveClick(int delta) {
    const int row = SelectedRow();
    if (row < 0) return QApplication::beep();
    const std::optional<size_t> moved = rules_.Move(ActiveList(), size_t(row), delta);
    if (!moved) return QApplication::beep();
    changed_ = true;
    Fill();
    List(ActiveList())->setCurrentRow(int(*moved));
}

// ---- the part

RulesPart::RulesPart(Frame& frame, std::unique_ptr<RegexRuleLists>& rules, const Texts& texts, StatusSink& status,
                     Questions& questions, const ConfigTree& tree, const bool& localized, TextEditor& srcText,
                     TextEditor& htmText)
    : frame_(frame), rules_(rules), texts_(texts), status_(status), questions_(questions), tree_(tree),
      localized_(localized), src_(srcText), htm_(htmText) {
    RegExprList = new QMenu(frame.Window());
    RegExprList->setObjectName("RegExprList");
}

void RulesPart::BindCommands() {
    QAction* button = frame_.Action(Cmd::RegExpr);
    button->setMenu(RegExprList);
    connect(button, &QAction::triggered, this, &RulesPart::RegExprHTMClick);
    connect(frame_.Action(Cmd::RegExprWindow), &QAction::triggered, this, &RulesPart::RegExprHTMClick);
    connect(RegExprList, &QMenu::aboutToShow, this, &RulesPart::RegExprListPopup);
}

void RulesPart::RegExprHTMClick() {
    if (!rules_) return;
    TRegList window(*rules_, texts_, questions_, tree_, localized_, frame_.Window());
    window.exec();
    changed_ = changed_ || window.Changed();
}

void RulesPart::RegExprListPopup() {
    RegExprList->clear();
    if (!rules_) return;
    int index = 0;
    for (const std::string& caption : rules_->MenuCaptions()) {
        QAction* item = RegExprList->addAction(Cut(caption));
        connect(item, &QAction::triggered, this, [this, index] { RegExprListClick(index); });
        ++index;
    }
}

void RulesPart::RegExprListClick(int index) {
    if (!rules_ || index < 0 || size_t(index) >= rules_->Items(RuleList::Source).size()) return;
    TextEditor& editor = frame_.ActivePage() == kHtmlPage ? htm_ : src_;
    QTextCursor cursor = editor.textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, "\r\n");
    const std::string result = RunRule(texts_, status_, rules_->ItemRule(RuleList::Source, size_t(index)), ToCp1251(text));
    QString shown = FromCp1251(result);
    shown.replace("\r\n", "\n");
    cursor.insertText(shown);
}

}  // namespace pm::gui
