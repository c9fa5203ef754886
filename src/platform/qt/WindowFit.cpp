#include "platform/qt/WindowFit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace pm::gui {
namespace {
constexpr int kTitleBarExtra = 140;    // the window manager's buttons and margins
constexpr int kLineCharacters = 60;    // a comfortable line of message text
constexpr int kNarrowest = 360;
}  // namespace

void FitToTexts(QWidget* window, const QString& caption, const QLabel* message) {
    const QFontMetrics fm(window->font());
    const int forCaption = fm.horizontalAdvance(caption) + kTitleBarExtra;
    int forMessage = 0;
    if (message) {
        const int whole = fm.horizontalAdvance(message->text()) + 40;
        forMessage = std::min(whole, fm.averageCharWidth() * kLineCharacters);
    }
    window->setMinimumWidth(std::max({kNarrowest, forCaption, forMessage}));
}

}  // namespace pm::gui
