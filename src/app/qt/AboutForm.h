// The About window (TAboutForm): the program's name, version and build, the
// credits and the maker's pages, the installed skin and localization, and
// the buttons that remove either of them or every setting. It is made for
// each use and shown modally from "About..." (AboutPart).
#pragma once

#include <QDialog>
#include <QObject>

#include "app/About.h"
#include "platform/qt/Frame.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace pm {
class TMain;
}

namespace pm::gui {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // localized: the interface localization was accepted at start (the
    // window's own texts under interface\Controls\AboutWnd apply then).
    TAboutForm(ConfigTree& tree, Questions& questions, const Texts& texts, bool& saveSettingsAtExit, bool localized,
               QWidget* parent = nullptr);

    const TAbout& Logic() const { return about_; }
    void SetConfigWriter(TAbout::ConfigWriter writer) { about_.SetConfigWriter(std::move(writer)); }

    QLabel* ProgramName;
    QLabel* VersionLabel;
    QLabel* BuildLabel;
    QLabel* CreditsLabel;  // a new e-mail to the maker
    QLabel* LastVer;       // "Download latest version"
    QLabel* HotNews;       // "Last news, discussion && online support"
    QLabel* DevicesLink;
    QLabel* LocaleLabel;
    QLabel* SkinLabel;
    QLabel* SettingsLabel;
    QToolButton* RemoveLocaleBtn;
    QToolButton* RemoveSkinBtn;
    QToolButton* RemoveSettingsBtn;
    QPushButton* OkBtn;

public slots:
    void RemoveLocaleClick();
    void RemoveSkinClick();
    void RemoveSettingsClick();

private:
    // The labels and buttons as the logic's state says.
    void ShowState();

    TAbout about_;
};

// "About...": the window, with the wait cursor while it is made.
class AboutPart : public QObject, public FramePart {
    Q_OBJECT
public:
    AboutPart(Frame& frame, TMain& main, Questions& questions, QObject* parent = nullptr);
    void BindCommands() override;

public slots:
    void About1Click();

private:
    Frame& frame_;
    TMain& main_;
    Questions& questions_;
};

}  // namespace pm::gui
