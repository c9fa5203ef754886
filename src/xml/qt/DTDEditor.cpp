#include "xml/qt/DTDEditor.h"

#include <QAction>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"

namespace pm::gui {
namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kStateRole = Qt::UserRole + 1;

// The node's picture: the kind's glyph and the state's mark side by side.
QIcon NodeIcon(int kind, int state) {
    static const char* const kKinds[] = {"\u25a4", "\u00b6", "T", "{}", "@"};
    static const char* const kStates[] = {"", "*", "1", "?", "+", "\u2713"};
    QPixmap pm(36, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(0, 0, 18, 16), Qt::AlignCenter, QString::fromUtf8(kKinds[std::clamp(kind, 0, 4)]));
    p.setPen(state == kStateComplete ? QColor(0, 128, 0) : QColor(128, 0, 0));
    p.drawText(QRect(18, 0, 18, 16), Qt::AlignCenter, QString::fromUtf8(kStates[std::clamp(state, 0, 5)]));
    return QIcon(pm);
}

QColor RoleColour(DtdPaneSegment::Role role) {
    switch (role) {
        case DtdPaneSegment::Role::RequiredTag: return QColor(128, 0, 128);
        case DtdPaneSegment::Role::OptionalTag: return QColor(0, 80, 0);
        case DtdPaneSegment::Role::ParagraphTag: return QColor(0, 0, 128);
        case DtdPaneSegment::Role::Text: break;
    }
    return QColor(Qt::black);
}

}  // namespace

TDTDEditor::TDTDEditor(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), windowTexts_(context.tree, "XML editor", context.uiTexts.localized) {
    setObjectName("TDTDEditor");
    setModal(true);
    const WindowTexts& t = windowTexts_;
    auto text = [&t](const char* name, const char* def) { return FromCp1251(t.Get(name, def)); };

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    QStyle* s = style();
    ToolButton1 = ToolBar1->addAction(s->standardIcon(QStyle::SP_DialogApplyButton), text("Done btn caption", "&Done"));
    ToolButton3 = ToolBar1->addAction(s->standardIcon(QStyle::SP_FileDialogNewFolder),
                                      text("Duplicate btn caption", "D&uplicate node"));
    ToolButton4 = ToolBar1->addAction(s->standardIcon(QStyle::SP_TrashIcon), text("Delete btn caption", "De&lete node"));
    ToolButton5 = ToolBar1->addAction(s->standardIcon(QStyle::SP_DialogYesButton), text("Use btn caption", "&Use this node"));
    ToolButton5->setCheckable(true);
    ToolButton7 = ToolBar1->addAction(s->standardIcon(QStyle::SP_DialogSaveButton),
                                      text("Save def btn caption", "Save as default"));
    ToolButton1->setObjectName("ToolButton1");
    ToolButton3->setObjectName("ToolButton3");
    ToolButton4->setObjectName("ToolButton4");
    ToolButton5->setObjectName("ToolButton5");
    ToolButton7->setObjectName("ToolButton7");
    ToolButton1->setToolTip(text("Done btn hint", "Finish header editing"));
    ToolButton3->setToolTip(text("Duplicate btn hint", "Make a copy of selected node"));
    ToolButton4->setToolTip(text("Delete btn hint", "Remove selected node"));
    ToolButton5->setToolTip(text("Use btn hint", "Include selected node in XML"));
    ToolButton7->setToolTip(text("Save def btn hint", "Keep the values entered for the next books"));
    ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ToolBar1, &QWidget::customContextMenuRequested, this, [this, text](const QPoint& at) {
        QMenu menu(this);
        const QString names[] = {text("Images and text", "Images && text"), text("Images only", "Images only"),
                                 text("Text only", "Text only")};
        for (int mode = 1; mode <= 3; ++mode) {
            QAction* a = menu.addAction(names[mode - 1]);
            a->setCheckable(true);
            a->setChecked(layout_.toolbarMode == mode);
            connect(a, &QAction::triggered, this, [this, mode] { SetToolbarMode(mode); });
        }
        menu.exec(ToolBar1->mapToGlobal(at));
    });

    TreeView1 = new QTreeWidget;
    TreeView1->setObjectName("TreeView1");
    TreeView1->header()->hide();
    TreeView1->setIconSize(QSize(36, 16));
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    XMLEditor = new QTextEdit;
    XMLEditor->setObjectName("XMLEditor");
    XMLEditor->setReadOnly(true);
    XMLEditor->setLineWrapMode(QTextEdit::NoWrap);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    XMLEditor->setFont(fixed);
    XMLEditor->setAutoFillBackground(true);
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName("Memo1");
    Memo2 = new QPlainTextEdit;
    Memo2->setObjectName("Memo2");
    Memo2->setReadOnly(true);
    const QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    TreeView1->setFont(titleFont);
    Memo1->setFont(titleFont);

    topSplitter_ = new QSplitter(Qt::Horizontal);
    topSplitter_->addWidget(TreeView1);
    topSplitter_->addWidget(XMLEditor);
    auto* bottom = new QSplitter(Qt::Horizontal);
    bottom->addWidget(Memo1);
    bottom->addWidget(Memo2);
    mainSplitter_ = new QSplitter(Qt::Vertical);
    mainSplitter_->addWidget(topSplitter_);
    mainSplitter_->addWidget(bottom);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(4, 4, 4, 4);
    box->addWidget(ToolBar1);
    box->addWidget(mainSplitter_, 1);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* now, QTreeWidgetItem*) { SelectionMoved(now); });
    connect(ToolButton1, &QAction::triggered, this, &QDialog::accept);
    connect(ToolButton3, &QAction::triggered, this, &TDTDEditor::DuplicateClick);
    connect(ToolButton4, &QAction::triggered, this, &TDTDEditor::DeleteClick);
    connect(ToolButton5, &QAction::triggered, this, &TDTDEditor::UseClick);
    connect(ToolButton7, &QAction::triggered, this, &TDTDEditor::SaveDefaultClick);
    Build();
}

TDTDEditor::~TDTDEditor() { Destroy(); }

void TDTDEditor::Rebuild() {
    Destroy();
    Build();
}

void TDTDEditor::Build() {
    layout_ = DtdEditorLayout();
    layout_.Read(ctx_.tree);
    setWindowTitle(FromCp1251(layout_.Title()));
    resize(layout_.width, layout_.height);
    topSplitter_->setSizes({std::max(100, layout_.width - layout_.xmlTextWidth), layout_.xmlTextWidth});
    mainSplitter_->setSizes({std::max(100, layout_.height - layout_.valueEditorHeight), layout_.valueEditorHeight});
    SetToolbarMode(layout_.toolbarMode);

    const DtdLoadOutcome outcome = LoadDescriptionTree(ctx_.tree, layout_.rootName, tree_);
    TellLoadOutcome(outcome, tree_, ctx_.questions, ctx_.texts);
    const QSignalBlocker quiet(TreeView1);
    if (outcome == DtdLoadOutcome::Built) {
        AddNodes(nullptr, *tree_.Root(), -1);
        TreeView1->setCurrentItem(ItemOf(tree_.Root()));
        Enter(tree_.Root());
    } else {
        Enter(nullptr);
    }
}

void TDTDEditor::Destroy() {
    {
        const QSignalBlocker quiet(TreeView1);
        TreeView1->clear();
    }
    items_.clear();
    current_ = nullptr;
    tree_ = DtdTree();
    if (shown_) {
        layout_.width = width();
        layout_.height = height();
        layout_.xmlTextWidth = XMLEditor->width();
        layout_.valueEditorHeight = Memo1->height();
    }
    layout_.Write(ctx_.tree);
}

void TDTDEditor::showEvent(QShowEvent* event) {
    shown_ = true;
    QDialog::showEvent(event);
}

void TDTDEditor::SetToolbarMode(int mode) {
    layout_.toolbarMode = std::clamp(mode, 1, 3);
    static constexpr Qt::ToolButtonStyle kStyles[] = {Qt::ToolButtonTextBesideIcon, Qt::ToolButtonIconOnly,
                                                      Qt::ToolButtonTextOnly};
    ToolBar1->setToolButtonStyle(kStyles[layout_.toolbarMode - 1]);
}

// ---- the nodes

void TDTDEditor::AddNodes(QTreeWidgetItem* parentItem, TDTDEntry& e, int index) {
    auto* item = new QTreeWidgetItem;
    item->setData(0, kEntryRole, QVariant::fromValue(static_cast<void*>(&e)));
    items_[&e] = item;
    if (!parentItem) TreeView1->addTopLevelItem(item);
    else if (index < 0) parentItem->addChild(item);
    else parentItem->insertChild(index, item);
    for (const auto& c : e.children) AddNodes(item, *c, -1);
    if (e.Required()) item->setExpanded(true);
}

void TDTDEditor::ForgetNodes(const TDTDEntry& e) {
    items_.erase(&e);
    for (const auto& c : e.children) ForgetNodes(*c);
}

QTreeWidgetItem* TDTDEditor::ItemOf(const TDTDEntry* e) const {
    auto it = items_.find(e);
    return it == items_.end() ? nullptr : it->second;
}

TDTDEntry* TDTDEditor::EntryOf(const QTreeWidgetItem* item) const {
    return item ? static_cast<TDTDEntry*>(item->data(0, kEntryRole).value<void*>()) : nullptr;
}

int TDTDEditor::StateIconOf(const QTreeWidgetItem* item) { return item ? item->data(0, kStateRole).toInt() : 0; }

void TDTDEditor::RefreshNodes() {
    for (const auto& [entry, item] : items_) {
        const int state = tree_.StateIcon(*entry);
        item->setText(0, FromCp1251(DtdLabel(*entry)));
        item->setData(0, kStateRole, state);
        item->setIcon(0, NodeIcon(entry->kind, state));
    }
}

void TDTDEditor::RefreshPane() {
    XMLEditor->clear();
    QTextCursor cursor(XMLEditor->document());
    for (const DtdPaneSegment& s : tree_.PaneSegments()) {
        QTextCharFormat f;
        f.setForeground(RoleColour(s.role));
        f.setFontWeight(s.role == DtdPaneSegment::Role::Text ? QFont::Bold : QFont::Normal);
        cursor.insertText(FromCp1251(s.text), f);
    }
    const std::string message = tree_.PendingMessage(ctx_.texts);
    QPalette pal = XMLEditor->palette();
    if (!message.empty()) {
        QTextCharFormat f;
        f.setForeground(QColor(Qt::red));
        f.setFontPointSize(std::max(1.0, XMLEditor->font().pointSizeF() - 2));
        cursor.insertText("\n" + FromCp1251(message), f);
        pal.setColor(QPalette::Base, QColor(255, 243, 244));
    } else {
        pal.setColor(QPalette::Base, palette().color(QPalette::Window));
    }
    XMLEditor->setPalette(pal);
}

// ---- moving between nodes

bool TDTDEditor::LeaveCurrent() {
    if (!current_) return true;
    if (!tree_.Leave(*current_, ToCp1251(Memo1->toPlainText()), ToolButton5->isChecked())) {
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"), ctx_.texts.Msg("Tags not allowed"), MessageIcon::Error);
        return false;
    }
    RefreshNodes();
    return true;
}

void TDTDEditor::SelectionMoved(QTreeWidgetItem* now) {
    if (moving_) return;
    if (!LeaveCurrent()) {
        // The selection stays on the entry whose text must be corrected.
        moving_ = true;
        TreeView1->setCurrentItem(ItemOf(current_));
        moving_ = false;
        return;
    }
    Enter(EntryOf(now));
}

void TDTDEditor::Enter(TDTDEntry* e) {
    current_ = e;
    const std::string container = ctx_.uiTexts.Descr("This is a container", "This is a container. Text not allowed");
    const std::string group = ctx_.uiTexts.Descr("Multi XML", "This is multivariant item. Fill one of subitems");
    const DtdNodeControls c = e ? ControlsFor(*e, container, group) : DtdNodeControls{};
    Memo1->setPlainText(FromCp1251(c.field));
    Memo1->setReadOnly(!c.fieldEnabled);
    Memo1->setEnabled(c.fieldEnabled);
    ToolButton3->setEnabled(c.duplicateEnabled);
    ToolButton4->setEnabled(c.deleteEnabled);
    ToolButton5->setChecked(c.useChecked);
    ToolButton5->setEnabled(c.useEnabled);
    ToolButton7->setEnabled(tree_.Root() != nullptr);
    RefreshNodes();
    RefreshPane();
    ToolButton1->setEnabled(tree_.Root() && tree_.IsComplete(*tree_.Root()));
}

// ---- the commands

void TDTDEditor::DuplicateClick() {
    if (!current_ || !LeaveCurrent()) return;
    const size_t notesBefore = tree_.Notes().size();
    TDTDEntry* copy = tree_.Duplicate(*current_);
    if (!copy) {
        // At the bound of the description's size nothing is added.
        if (current_->parent) {
            const DtdBuildNote full{DtdBuildNote::Kind::TooMany, current_->parent->name, {}, {}};
            ctx_.questions.ShowMessage(ctx_.texts.Msg("Info"), DtdNoteText(full, ctx_.texts), MessageIcon::Warning);
        }
        return;
    }
    AddNodes(ItemOf(copy->parent), *copy, static_cast<int>(copy->IndexInParent()));
    for (size_t i = notesBefore; i < tree_.Notes().size(); ++i)
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Info"), DtdNoteText(tree_.Notes()[i], ctx_.texts),
                                   MessageIcon::Warning);
    Enter(current_);
}

void TDTDEditor::DeleteClick() {
    if (!current_ || !current_->parent) return;
    TDTDEntry* gone = current_;
    TDTDEntry* parent = gone->parent;
    QTreeWidgetItem* item = ItemOf(gone);
    current_ = nullptr;
    {
        const QSignalBlocker quiet(TreeView1);
        ForgetNodes(*gone);
        delete item;
        tree_.Remove(*gone);
        TreeView1->setCurrentItem(ItemOf(parent));
    }
    Enter(parent);
}

void TDTDEditor::UseClick(bool checked) {
    if (!current_) return;
    tree_.Include(*current_, checked);
    Enter(current_);
}

void TDTDEditor::SaveDefaultClick() {
    if (!LeaveCurrent()) return;
    tree_.SaveDefaults(ctx_.tree);
}

// Closing: the value being typed counts; an incomplete description closes
// only when the user says so.
void TDTDEditor::done(int result) {
    if (!LeaveCurrent()) return;
    if (tree_.Root() && !tree_.IsComplete(*tree_.Root()) &&
        !ctx_.questions.AskWarningYesNo(ctx_.texts.Msg("Error"), ctx_.texts.Msg("XML Incorrect"))) {
        Enter(current_);
        return;
    }
    closedText_ = tree_.Root() ? tree_.PaneText(ctx_.texts) : std::string();
    QDialog::done(result);
}

// ---- what the program sets

void TDTDEditor::SetValueAtPath(const std::string& path, const std::string& text) {
    tree_.SetValueAtPath(path, text);
    Enter(current_);
}

void TDTDEditor::Prefill(const XmlDescriptionValues& paths, const DescriptionPrefill& values) {
    PrefillDescription(tree_, paths, values);
    Enter(current_);
}

void TDTDEditor::SetReference(const std::string& text) { Memo2->setPlainText(FromCp1251(text)); }

}  // namespace pm::gui
