// The full-screen window (TFullScrForm): a borderless, maximised window
// whose browser shows the book handed over from the main window, with a
// small panel of reader commands, the progress gauge and the clock.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

#include "config/Localization.h"

namespace pm::gui {

class WebView;

class TFullScrForm : public QDialog {
    Q_OBJECT
public:
    // The panel is at least this wide.
    static constexpr int kPanelWidth = 415;

    TFullScrForm(const InterfaceTexts& texts, QWidget* parent = nullptr);

    // The clock and the progress of the reading.
    void ShowTime(const QString& time) { Label1->setText(time); }
    void ShowProgress(int percent) { Gauge1->setValue(percent); }
    // The autoscroll speed after a change made here ("16/sec"); the main
    // window's status line, which shows it otherwise, is hidden meanwhile.
    void ShowSpeed(const QString& speed) { SpeedLabel->setText(speed); }

    WebView* WebBrowser1;
    QToolBar* ToolBar1;
    QAction* ZoomBtn;       // "Unzoom"
    QAction* ToolButton49;  // back
    QAction* ToolButton50;  // forward
    QAction* ToolButton62;  // find
    QAction* NoteBtn;
    QAction* BookmrkBtn;
    QToolButton* ToolButton1;  // the bookmarks drop-down
    QMenu* BookmarksDropDn;
    QAction* AutoscrollBtn;  // a check button
    QAction* Faster;
    QAction* Slower;
    QLabel* SpeedLabel;
    QProgressBar* Gauge1;
    QLabel* Label1;
    // The window's pop-up menu and its items.
    QMenu* PopupMenu1;
    QAction* Unzoom1;
    QAction* AddNote1;
    QAction* AddBookmark1;
    QAction* Autoscroll1;
    QAction* IncreaseSpeed1;
    QAction* DecreaseSpeed1;
    QAction* Toorboscroll1;

private:
    void BuildToolBar(const InterfaceTexts& texts);
    void BuildPopupMenu();
};

}  // namespace pm::gui
