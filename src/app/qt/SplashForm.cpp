#include "app/qt/SplashForm.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace pm::gui {

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen) {
    setObjectName("TSplashForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(360, 180);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        const auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w->isModal() && isVisible()) hide();
    }
    return false;
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, width(), height());
    g.setColorAt(0, QColor(40, 60, 110));
    g.setColorAt(1, QColor(120, 150, 200));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(28);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, "Pellmark");
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 60, 0, 0), Qt::AlignCenter, "plain text to clean HTML books");
}

}  // namespace pm::gui
