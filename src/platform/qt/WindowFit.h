// Question windows size to their texts, whatever the localization: the
// caption shows whole in the title bar and the message reads in lines of
// a comfortable length instead of a cramped column.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace pm::gui {

void FitToTexts(QWidget* window, const QString& caption, const QLabel* message);

}  // namespace pm::gui
