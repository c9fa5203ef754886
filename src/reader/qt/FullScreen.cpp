#include "reader/qt/FullScreen.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/Text1251.h"
#include "platform/qt/WebView.h"
#include "reader/ReadingComfort.h"

namespace pm::gui {
namespace {

constexpr int kSpeedPadding = 8;

}  // namespace

TFullScrForm::TFullScrForm(const InterfaceTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TFullScrForm");
    setWindowModality(Qt::ApplicationModal);
    WebBrowser1 = new WebView(this);
    WebBrowser1->setObjectName("WebBrowser1");
    BuildToolBar(texts);
    BuildPopupMenu();

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setMinimumWidth(kPanelWidth);
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->setContentsMargins(2, 2, 2, 2);
    panelRow->addWidget(ToolBar1);
    auto* status = new QWidget(panel);
    status->setObjectName("Panel2");
    auto* statusRow = new QHBoxLayout(status);
    statusRow->setContentsMargins(4, 0, 4, 0);
    // As wide as the fastest speed from the start, so that the speed
    // buttons stay under the mouse while they are pressed.
    SpeedLabel = new QLabel(status);
    SpeedLabel->setObjectName("SpeedLabel");
    SpeedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpeedLabel->setFixedWidth(SpeedLabel->fontMetrics().horizontalAdvance(
        QString::fromStdString(reader::ScrollRateText(reader::kFastestScrollMs))) + kSpeedPadding);
    Gauge1 = new QProgressBar(status);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setFixedWidth(90);
    Label1 = new QLabel("12:14:55", status);
    Label1->setObjectName("Label1");
    statusRow->addWidget(SpeedLabel);
    statusRow->addWidget(Gauge1);
    statusRow->addWidget(Label1);
    panelRow->addWidget(status);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addStretch(1);
    top->addWidget(panel);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addLayout(top);
    box->addWidget(WebBrowser1, 1);
}

void TFullScrForm::BuildToolBar(const InterfaceTexts& t) {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(16, 16));
    auto add = [this](const char* name) {
        QAction* a = ToolBar1->addAction(QString());
        a->setObjectName(name);
        return a;
    };
    ZoomBtn = add("ZoomBtn");
    ZoomBtn->setToolTip(FromCp1251(t.Hint("unzoom")));
    ToolBar1->addSeparator();
    ToolButton49 = add("ToolButton49");
    ToolButton50 = add("ToolButton50");
    ToolBar1->addSeparator();
    ToolButton62 = add("ToolButton62");
    ToolBar1->addSeparator();
    NoteBtn = add("NoteBtn");
    BookmrkBtn = add("BookmrkBtn");
    BookmarksDropDn = new QMenu(this);
    BookmarksDropDn->setObjectName("BookmarksDropDn");
    ToolButton1 = new QToolButton(this);
    ToolButton1->setObjectName("ToolButton1");
    ToolButton1->setMenu(BookmarksDropDn);
    ToolButton1->setPopupMode(QToolButton::InstantPopup);
    ToolButton1->setText(QString::fromUtf8("\u25be"));
    ToolButton1->setToolTip(FromCp1251(t.Hint("bookmarks")));
    ToolBar1->addWidget(ToolButton1);
    ToolBar1->addSeparator();
    AutoscrollBtn = add("AutoscrollBtn");
    AutoscrollBtn->setCheckable(true);
    Faster = add("Faster");
    Faster->setData(reader::kFasterButtonStep);
    Slower = add("Slower");
    Slower->setData(reader::kSlowerButtonStep);
}

// The pop-up menu of the whole window; its keys work while the window is up.
// The speed keys are those of the main window: "=" faster, "-" slower.
void TFullScrForm::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto add = [this](const char* name, const QString& caption, const QKeySequence& key) {
        QAction* a = PopupMenu1->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        return a;
    };
    Unzoom1 = add("Unzoom1", "Unzoom", QKeySequence(Qt::Key_Escape));
    PopupMenu1->addSeparator();
    AddNote1 = add("AddNote1", "Add note", QKeySequence("Ctrl+Shift+N"));
    AddBookmark1 = add("AddBookmark1", "Add bookmark", QKeySequence("Ctrl+B"));
    PopupMenu1->addSeparator();
    Autoscroll1 = add("Autoscroll1", "Autoscroll", QKeySequence("Ctrl+K"));
    IncreaseSpeed1 = add("IncreaseSpeed1", "Increase speed", QKeySequence(Qt::Key_Equal));
    IncreaseSpeed1->setData(reader::kFasterItemStep);
    DecreaseSpeed1 = add("DecreaseSpeed1", "Decrease speed", QKeySequence(Qt::Key_Minus));
    DecreaseSpeed1->setData(reader::kSlowerItemStep);
    Toorboscroll1 = add("Toorboscroll1", "Toorbo scroll", QKeySequence("Ctrl+T"));
    Toorboscroll1->setCheckable(true);
    WebBrowser1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(WebBrowser1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(WebBrowser1->mapToGlobal(at)); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });
}

}  // namespace pm::gui
