#include "reader/qt/ViewControls.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTime>
#include <QWidget>

#include "config/Localization.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/WebView.h"
#include "reader/ReadingComfort.h"
#include "reader/qt/Colorifer.h"
#include "reader/qt/FullScreen.h"

namespace pm::gui {
namespace {

constexpr int kClockMs = 1000;
constexpr const char* kKeepScreenReason = "Reading with autoscroll";
// The bookmark items of the bookmark menu follow its two commands and a
// separator.
constexpr int kFirstBookmarkItem = 3;

bool Ready(const std::string& state) { return state == "complete" || state == "interactive"; }

}  // namespace

ViewControls::ViewControls(Frame& frame, reader::ReaderDoc& doc, const ConfigTree& tree, HtmlViewEvents* frameEvents,
                           std::unique_ptr<ScreenSaverInhibitor> keeper)
    : frame_(frame), doc_(doc), tree_(tree), frameEvents_(frameEvents), keeper_(std::move(keeper)) {
    Timer1.setObjectName("Timer1");
    Timer2.setObjectName("Timer2");
    Timer2.setInterval(kClockMs);
    connect(&Timer1, &QTimer::timeout, this, &ViewControls::Timer1Timer);
    connect(&Timer2, &QTimer::timeout, this, &ViewControls::Timer2Timer);
    Timer2.start();
}

ViewControls::~ViewControls() {
    Timer1.stop();
    Timer2.stop();
    if (fullScr_) fullScr_->WebBrowser1->SetEvents(nullptr);
    keeper_->Release();
}

void ViewControls::BindCommands() {
    for (Cmd id : {Cmd::AutoscrollOn, Cmd::EnableAutoscroll})
        connect(frame_.Action(id), &QAction::triggered, this, &ViewControls::AutoscrollBtnClick);
    const std::pair<Cmd, int> speeds[] = {{Cmd::Faster, reader::kFasterButtonStep},
                                          {Cmd::Slower, reader::kSlowerButtonStep},
                                          {Cmd::IncreaseScroll, reader::kFasterItemStep},
                                          {Cmd::DecreaseScroll, reader::kSlowerItemStep}};
    for (const auto& [id, step] : speeds) {
        frame_.Action(id)->setData(step);
        connect(frame_.Action(id), &QAction::triggered, this, &ViewControls::FasterClick);
    }
    connect(frame_.Action(Cmd::TurboScroll), &QAction::triggered, this, &ViewControls::Toorboscroll1Click);
    frame_.Action(Cmd::BlackYellow)->setData(reader::kBlackYellowStyle);
    frame_.Action(Cmd::NavvyGreen)->setData(reader::kBlackGreenStyle);
    for (Cmd id : {Cmd::BlackYellow, Cmd::NavvyGreen}) {
        QAction* item = frame_.Action(id);
        connect(item, &QAction::triggered, this, [this, item] { Colorify1Click(item->data().toInt()); });
    }
    connect(frame_.Action(Cmd::CustomStyle), &QAction::triggered, this, &ViewControls::Custom1Click);
    connect(frame_.Action(Cmd::NoStyle), &QAction::triggered, this, &ViewControls::None1Click);
    connect(frame_.Action(Cmd::ApplyLast), &QAction::triggered, this, &ViewControls::Applylasttoallopened1Click);
    for (Cmd id : {Cmd::FullScreen, Cmd::Zoom})
        connect(frame_.Action(id), &QAction::triggered, this, &ViewControls::ZoomBtnClick);
}

void ViewControls::SettingsLoaded() {
    const Settings& s = doc_.Context().settings;
    Timer1.setInterval(reader::TimerInterval(s.AutoscrollSpeed));
    frame_.Action(Cmd::TurboScroll)->setChecked(s.TurboScroll);
    frame_.Action(Cmd::ApplyLast)->setChecked(s.ApplyReaderStyleForNewDocs);
}

void ViewControls::CreateWindows(const InterfaceTexts& texts, bool localized) {
    QWidget* parent = frame_.Window();
    if (!colorifer_) colorifer_ = new TColorifer(WindowTexts(tree_, "colorifer", localized), parent);
    if (!fullScr_) {
        fullScr_ = new TFullScrForm(texts, parent);
        WireFullScreen();
    }
}

// The full-screen window's commands are the main window's: the same
// handlers, hints and pictures.
void ViewControls::WireFullScreen() {
    TFullScrForm& f = *fullScr_;
    f.WebBrowser1->SetEvents(this);
    auto like = [this](QAction* copy, Cmd id) {
        const QAction* main = frame_.Action(id);
        copy->setIcon(main->icon());
        copy->setToolTip(main->toolTip());
        if (copy->icon().isNull()) copy->setText(main->iconText());
    };
    like(f.ToolButton49, Cmd::GoBack);
    like(f.ToolButton50, Cmd::GoForward);
    like(f.NoteBtn, Cmd::AddNote);
    like(f.BookmrkBtn, Cmd::AddBookmark);
    like(f.AutoscrollBtn, Cmd::EnableAutoscroll);
    like(f.Faster, Cmd::Faster);
    like(f.Slower, Cmd::Slower);
    f.ZoomBtn->setIcon(frame_.Action(Cmd::Zoom)->icon());
    like(f.ToolButton62, Cmd::Find);
    f.Toorboscroll1->setText(frame_.Action(Cmd::TurboScroll)->text());
    connect(f.ZoomBtn, &QAction::triggered, &f, &QDialog::reject);
    connect(f.Unzoom1, &QAction::triggered, &f, &QDialog::reject);
    connect(f.ToolButton49, &QAction::triggered, this, [this] { fullScr_->WebBrowser1->GoBack(); });
    connect(f.ToolButton50, &QAction::triggered, this, [this] { fullScr_->WebBrowser1->GoForward(); });
    connect(f.ToolButton62, &QAction::triggered, this, [this] { fullScr_->WebBrowser1->ShowFindDialog(); });
    for (QAction* a : {f.NoteBtn, f.AddNote1})
        connect(a, &QAction::triggered, this, [this] { frame_.Action(Cmd::AddNote)->trigger(); });
    for (QAction* a : {f.BookmrkBtn, f.AddBookmark1})
        connect(a, &QAction::triggered, this, [this] { frame_.Action(Cmd::AddBookmark)->trigger(); });
    for (QAction* a : {f.AutoscrollBtn, f.Autoscroll1})
        connect(a, &QAction::triggered, this, &ViewControls::AutoscrollBtnClick);
    for (QAction* a : {f.Faster, f.Slower, f.IncreaseSpeed1, f.DecreaseSpeed1})
        connect(a, &QAction::triggered, this, &ViewControls::FasterClick);
    connect(f.Toorboscroll1, &QAction::triggered, this, &ViewControls::Toorboscroll1Click);
    connect(f.BookmarksDropDn, &QMenu::aboutToShow, this, &ViewControls::PoupUpMenu1Popup);
}

void ViewControls::ModeChanged(int mode) {
    if (mode != reader::kReaderInterfaceMode) StopAutoscroll();
}

HtmlView* ViewControls::CurrentView() {
    if (zoomed_) return zoomed_;
    return frame_.CurrentBrowser();
}

// The current view when it holds a page.
HtmlView* ViewControls::PageView() {
    HtmlView* view = CurrentView();
    return view && !view->ReadyState().empty() ? view : nullptr;
}

// ---- autoscroll

void ViewControls::AutoscrollBtnClick() {
    if (Timer1.isActive()) {
        StopAutoscroll();
        return;
    }
    Timer1.setInterval(reader::TimerInterval(doc_.Context().settings.AutoscrollSpeed));
    Timer1.start();
    keeper_->Inhibit(kKeepScreenReason);
    ShowAutoscrollState();
}

void ViewControls::StopAutoscroll() {
    Timer1.stop();
    keeper_->Release();
    ShowAutoscrollState();
}

void ViewControls::ShowAutoscrollState() {
    const bool on = Timer1.isActive();
    frame_.Action(Cmd::AutoscrollOn)->setChecked(on);
    frame_.Action(Cmd::EnableAutoscroll)->setChecked(on);
    if (fullScr_) fullScr_->AutoscrollBtn->setChecked(on);
}

void ViewControls::FasterClick() {
    if (const auto* item = qobject_cast<const QAction*>(sender())) ChangeSpeed(item->data().toInt());
}

void ViewControls::ChangeSpeed(int step) {
    Settings& s = doc_.Context().settings;
    s.SetAutoscrollSpeed(reader::ChangedScrollInterval(s.AutoscrollSpeed, step));
    Timer1.setInterval(reader::TimerInterval(s.AutoscrollSpeed));
    const std::string rate = reader::ScrollRateText(s.AutoscrollSpeed);
    doc_.Context().status.Status(rate);
    if (zoomed_) fullScr_->ShowSpeed(FromCp1251(rate));
}

void ViewControls::Toorboscroll1Click(bool checked) {
    doc_.Context().settings.SetTurboScroll(checked);
    frame_.Action(Cmd::TurboScroll)->setChecked(checked);
    if (fullScr_) fullScr_->Toorboscroll1->setChecked(checked);
}

// One step down the page; none while the window is minimised.
void ViewControls::Timer1Timer() {
    if (frame_.Window()->isMinimized()) return;
    if (HtmlView* view = PageView()) view->ScrollBy(0, reader::ScrollStepPixels(doc_.Context().settings.TurboScroll));
}

// ---- progress and clock

void ViewControls::Timer2Timer() {
    if (frame_.Mode() == reader::kReaderInterfaceMode) {
        HtmlView* view = PageView();
        if (view && Ready(view->ReadyState())) {
            const int percent = reader::ProgressPercent(view->ScrollTop(), view->ScrollHeight());
            doc_.Context().status.Progress(std::to_string(percent) + "%");
            if (fullScr_) fullScr_->ShowProgress(percent);
        }
    }
    const QString time = QLocale().toString(QTime::currentTime(), QLocale::LongFormat);
    frame_.SetPanelText(2, time);
    if (fullScr_) fullScr_->ShowTime(time);
}

// ---- styles

void ViewControls::Colorify1Click(int tag) {
    HtmlView* view = PageView();
    if (!view) return;
    const reader::ReaderStyle style = reader::BuiltInStyle(tag);
    reader::LayStyle(*view, style);
    reader::RememberStyle(doc_.Context().settings, style);
    doc_.MarkChanged();
}

void ViewControls::Custom1Click() {
    if (!PageView() || !colorifer_ || colorifer_->exec() != QDialog::Accepted) return;
    HtmlView* view = PageView();
    if (!view) return;
    const reader::ReaderStyle style{colorifer_->FontName(), colorifer_->FontSize(), colorifer_->TextColor(),
                                    colorifer_->BodyColor()};
    reader::LayStyle(*view, style);
    reader::RememberStyle(doc_.Context().settings, style);
    doc_.MarkChanged();
}

// The remembered style and the pending changes stay as they are.
void ViewControls::None1Click() {
    if (HtmlView* view = PageView()) reader::RemoveStyle(*view);
}

void ViewControls::Applylasttoallopened1Click(bool checked) {
    doc_.Context().settings.SetApplyReaderStyleForNewDocs(checked);
}

void ViewControls::PageLoaded(HtmlView& view) {
    const Settings& s = doc_.Context().settings;
    if (frame_.Mode() != reader::kReaderInterfaceMode || !s.ApplyReaderStyleForNewDocs) return;
    reader::ApplyReaderStyle(view, reader::RememberedStyle(s), doc_.Context().texts, doc_.Context().status);
}

// ---- full screen

void ViewControls::ZoomBtnClick() {
    if (zoomed_) {
        fullScr_->reject();
        return;
    }
    WebView* main = frame_.CurrentBrowser();
    if (!fullScr_ || !main) return;
    StatusSink& status = doc_.Context().status;
    const bool book = doc_.ShowsBook(*main);
    std::optional<reader::HandOver> there;
    if (book) {
        status.Busy(true);
        there = doc_.HandOverFrom(*main);
        status.Busy(false);
        if (!there) return;  // the user was told why
    }
    ShowAutoscrollState();
    fullScr_->Toorboscroll1->setChecked(doc_.Context().settings.TurboScroll);
    fullScr_->ShowSpeed(QString());  // until the speed changes in this window
    zoomed_ = fullScr_->WebBrowser1;
    zoomed_->SetConfined(true);
    zoomed_->SetZoom(doc_.Context().settings.BrowserFontSize);
    // Shown before it loads, so that the place is found at its own width.
    // A window without a border is maximised by hand where the window
    // manager leaves it at its size.
    if (const QScreen* screen = frame_.Window()->screen()) fullScr_->setGeometry(screen->availableGeometry());
    fullScr_->setWindowState(fullScr_->windowState() | Qt::WindowMaximized);
    fullScr_->show();
    fullScr_->activateWindow();
    if (there) {
        doc_.TakeOver(*zoomed_, *there);
    } else {
        const std::string shown = main->LocationUrl();
        zoomed_->Navigate(shown.empty() ? "about:blank" : shown);
    }
    emit fullScreenShown();
    fullScr_->exec();
    HandBack(*main, book);
}

// The book goes back to the main window with what was done to it in full
// screen, at the same relative place.
void ViewControls::HandBack(WebView& main, bool book) {
    WebView* full = zoomed_;
    StatusSink& status = doc_.Context().status;
    std::optional<reader::HandOver> back;
    if (book && doc_.ShowsBook(*full)) {
        status.Busy(true);
        back = doc_.HandOverFrom(*full);
        status.Busy(false);
    }
    zoomed_ = nullptr;
    ShowAutoscrollState();
    main.SetZoom(doc_.Context().settings.BrowserFontSize);
    if (back) doc_.TakeOver(main, *back);
}

// A copy of every bookmark item of the main menu, or "(empty)".
void ViewControls::PoupUpMenu1Popup() {
    QMenu* menu = fullScr_->BookmarksDropDn;
    menu->clear();
    const QList<QAction*> items = frame_.Menu("bookmarks")->actions().mid(kFirstBookmarkItem);
    for (QAction* source : items) {
        if (source->isSeparator()) continue;
        QAction* copy = menu->addAction(source->text());
        copy->setData(source->data());
        connect(copy, &QAction::triggered, source, &QAction::trigger);
    }
    if (menu->isEmpty()) menu->addAction("(empty)")->setEnabled(false);
}

// ---- the full-screen browser's events

void ViewControls::BeforeNavigate(const std::string& url, bool& cancel) { doc_.BeforeNavigate(url, cancel); }

void ViewControls::DocumentComplete(const std::string& url) {
    doc_.DocumentComplete(url);
    if (zoomed_) PageLoaded(*zoomed_);
}

void ViewControls::ProgressChange(int progress, int maximum) {
    if (frameEvents_) frameEvents_->ProgressChange(progress, maximum);
}

void ViewControls::StatusTextChange(const std::string& text) {
    if (frameEvents_) frameEvents_->StatusTextChange(text);
}

void ViewControls::CommandStateChange(int command, bool enabled) {
    if (!fullScr_) return;
    if (command == kCommandForward) fullScr_->ToolButton50->setEnabled(enabled);
    if (command == kCommandBack) fullScr_->ToolButton49->setEnabled(enabled);
}

}  // namespace pm::gui
