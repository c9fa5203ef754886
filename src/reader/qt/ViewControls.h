// The reader's viewing controls on the main window: autoscroll (Timer1)
// with its speed and turbo mark, the progress and clock display (Timer2),
// the colour and font styles, and full screen with the hand-over of the
// book to the full-screen window and back.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/HtmlView.h"
#include "platform/ScreenSaver.h"
#include "platform/qt/Frame.h"
#include "reader/ReaderDoc.h"

namespace pm {
class ConfigTree;
}

namespace pm::gui {

class WebView;
class TColorifer;
class TFullScrForm;

class ViewControls : public QObject, public HtmlViewEvents {
    Q_OBJECT
public:
    // frameEvents: where the full-screen browser's progress and status
    // texts go (the frame's own listener).
    ViewControls(Frame& frame, reader::ReaderDoc& doc, const ConfigTree& tree, HtmlViewEvents* frameEvents,
                 std::unique_ptr<ScreenSaverInhibitor> keeper);
    ~ViewControls() override;

    void BindCommands();
    // The stored speed, turbo mark and "Apply last to all opened".
    void SettingsLoaded();
    void CreateWindows(const InterfaceTexts& texts, bool localized);
    // Leaving the reader stops autoscroll.
    void ModeChanged(int mode);
    // A page is loaded in view: in reader mode, with "Apply last to all
    // opened" checked, the remembered style is laid over it.
    void PageLoaded(HtmlView& view);

    // The full-screen window's browser while full screen lasts, else null:
    // then it is the browser every reader command acts on.
    WebView* ZoomedView() const { return zoomed_; }
    bool AutoscrollOn() const { return Timer1.isActive(); }
    TColorifer* Colorifer() const { return colorifer_; }
    TFullScrForm* FullScreen() const { return fullScr_; }
    ScreenSaverInhibitor& ScreenKeeper() { return *keeper_; }

    QTimer Timer1;  // autoscroll
    QTimer Timer2;  // progress and clock, every second

    // ---- HtmlViewEvents of the full-screen browser
    void BeforeNavigate(const std::string& url, bool& cancel) override;
    void DocumentComplete(const std::string& url) override;
    void ProgressChange(int progress, int maximum) override;
    void StatusTextChange(const std::string& text) override;
    void CommandStateChange(int command, bool enabled) override;

signals:
    // Full screen is up, its book handed over; the window's loop begins.
    void fullScreenShown();

public slots:
    void AutoscrollBtnClick();
    void StopAutoscroll();
    // The speed step is the sender's tag (its data).
    void FasterClick();
    void ChangeSpeed(int step);
    void Toorboscroll1Click(bool checked);
    void Timer1Timer();
    void Timer2Timer();
    void Colorify1Click(int tag);
    void Custom1Click();
    void None1Click();
    void Applylasttoallopened1Click(bool checked);
    void ZoomBtnClick();
    // The full-screen bookmarks drop-down: the main window's bookmarks.
    void PoupUpMenu1Popup();

private:
    HtmlView* CurrentView();
    HtmlView* PageView();
    void ShowAutoscrollState();
    void WireFullScreen();
    void HandBack(WebView& main, bool book);

    Frame& frame_;
    reader::ReaderDoc& doc_;
    const ConfigTree& tree_;
    HtmlViewEvents* frameEvents_;
    std::unique_ptr<ScreenSaverInhibitor> keeper_;
    TColorifer* colorifer_ = nullptr;
    TFullScrForm* fullScr_ = nullptr;
    WebView* zoomed_ = nullptr;
};

}  // namespace pm::gui
