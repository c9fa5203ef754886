// The splash window: borderless, centred, always on top, showing the
// program's picture until 600 ms after the main window is first activated.
#pragma once

#include <QWidget>

namespace pm::gui {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pm::gui
