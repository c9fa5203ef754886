// The splash window: borderless, centred, always on top, showing the
// program's picture until 600 ms after the main window is first activated.
// A question window that opens meanwhile is never hidden under it: the
// splash steps aside as soon as a modal window shows.
#pragma once

#include <QWidget>

namespace pm::gui {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pm::gui
