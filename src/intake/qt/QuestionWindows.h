// The windows source loading asks with: the large-file window (TLarge), the
// detected-formatting window (TDetectWnd) and the wrong-encoding window
// (TWrongEncoding). Captions come from the window's localization key.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "config/Localization.h"

namespace pm::gui {

class TLarge : public QDialog {
    Q_OBJECT
public:
    TLarge(const WindowTexts& texts, QWidget* parent = nullptr);
    QLabel* Message;
    QCheckBox* NeverAsk;
    QPushButton* Proceed;
    QPushButton* CancelBtn;
};

class TDetectWnd : public QDialog {
    Q_OBJECT
public:
    TDetectWnd(const WindowTexts& texts, QWidget* parent = nullptr);
    QLabel* Message;
    QLabel* Message2;
    QRadioButton* OpenForReading;
    QRadioButton* OpenForEditing;
    QCheckBox* NeverAsk;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};

// Created for each use; "Yes" accepts.
class TWrongEncoding : public QDialog {
    Q_OBJECT
public:
    TWrongEncoding(const QString& caption, const QString& text, const QString& yes, const QString& no,
                   QWidget* parent = nullptr);
    // exec() gives Accepted for "Yes", kNo for "No" and Rejected when the
    // window is closed (Escape).
    static constexpr int kNo = 2;
    QLabel* Message;
    QPushButton* YesBtn;
    QPushButton* NoBtn;
};

}  // namespace pm::gui
