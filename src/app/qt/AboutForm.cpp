#include "app/qt/AboutForm.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "app/TMain.h"
#include "config/Localization.h"
#include "platform/qt/Text1251.h"

namespace pm::gui {

namespace {

constexpr const char* kWindowTexts = "AboutWnd";
// The removal buttons show a symbol rather than a word.
constexpr char16_t kRemoveSymbol = u'\u2716';

// A caption as shown: "&&" in the design texts stands for one "&"; a lone
// "&" (in a skin's name, say) is shown as it is.
QString Shown(const std::string& caption1251) { return FromCp1251(caption1251).replace("&&", "&"); }

QLabel* LinkLabel(const QString& text, const std::string& url, QWidget* parent) {
    auto* label = new QLabel("<a href=\"" + QString::fromStdString(url).toHtmlEscaped() + "\">" +
                                 text.toHtmlEscaped() + "</a>",
                             parent);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(false);
    QObject::connect(label, &QLabel::linkActivated, label, [](const QString& link) {
        QDesktopServices::openUrl(QUrl(link));  // the desktop's browser or mail program
    });
    return label;
}

QToolButton* RemoveButton(const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(QString(QChar(kRemoveSymbol)));
    button->setToolTip(hint);
    return button;
}

void Paint(QLabel* label, const AboutLabel& state) {
    label->setText(Shown(state.text));
    QPalette palette = label->palette();
    switch (state.colour) {
        case LabelColour::Green: palette.setColor(QPalette::WindowText, QColor(0, 128, 0)); break;
        case LabelColour::Red: palette.setColor(QPalette::WindowText, QColor(255, 0, 0)); break;
        case LabelColour::Normal:
            palette.setColor(QPalette::WindowText, QApplication::palette(label).color(QPalette::WindowText));
            break;
    }
    label->setPalette(palette);
}

}  // namespace

TAboutForm::TAboutForm(ConfigTree& tree, Questions& questions, const Texts& texts, bool& saveSettingsAtExit,
                       bool localized, QWidget* parent)
    : QDialog(parent), about_(tree, questions, texts, saveSettingsAtExit) {
    setObjectName("TAboutForm");
    const WindowTexts own(tree, kWindowTexts, localized);
    setWindowTitle(Shown(own.Get("title", "About Pellmark")));

    ProgramName = new QLabel("Pellmark", this);
    QFont big = ProgramName->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    ProgramName->setFont(big);
    VersionLabel = new QLabel(Shown(VersionLabelText()), this);
    BuildLabel = new QLabel(Shown(BuildLabelText()), this);
    CreditsLabel = LinkLabel("Vorn Soft: write to the author", MakerMail(), this);
    LastVer = LinkLabel(Shown(own.Get("LastVer", "Download latest version")), DownloadPage(), this);
    HotNews = LinkLabel(Shown(own.Get("HotNews", "Last news, discussion && online support")), NewsPage(), this);
    DevicesLink = LinkLabel("Rocket eBook and other e-book readers", DevicesPage(), this);
    LocaleLabel = new QLabel(this);
    SkinLabel = new QLabel(this);
    SettingsLabel = new QLabel(this);
    for (QLabel* label : {LocaleLabel, SkinLabel, SettingsLabel}) label->setTextFormat(Qt::PlainText);
    RemoveLocaleBtn = RemoveButton("Uninstall translator", this);
    RemoveSkinBtn = RemoveButton("Uninstall skin", this);
    RemoveSettingsBtn = RemoveButton("", this);
    OkBtn = new QPushButton("Ok", this);
    OkBtn->setDefault(true);

    for (auto [widget, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {ProgramName, "ProgramName"}, {VersionLabel, "VersionLabel"}, {BuildLabel, "BuildLabel"},
             {CreditsLabel, "CreditsLabel"}, {LastVer, "LastVer"}, {HotNews, "HotNews"},
             {DevicesLink, "DevicesLink"}, {LocaleLabel, "LocaleLabel"}, {SkinLabel, "SkinLabel"},
             {SettingsLabel, "SettingsLabel"}, {RemoveLocaleBtn, "RemoveLocaleBtn"},
             {RemoveSkinBtn, "RemoveSkinBtn"}, {RemoveSettingsBtn, "RemoveSettingsBtn"}, {OkBtn, "OkBtn"}})
        widget->setObjectName(name);

    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(0, 1);
    int row = 0;
    grid->addWidget(ProgramName, row++, 0, 1, 2);
    grid->addWidget(VersionLabel, row++, 0, 1, 2);
    grid->addWidget(BuildLabel, row++, 0, 1, 2);
    grid->addWidget(CreditsLabel, row++, 0, 1, 2);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(LastVer, row++, 0, 1, 2);
    grid->addWidget(HotNews, row++, 0, 1, 2);
    grid->addWidget(DevicesLink, row++, 0, 1, 2);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(LocaleLabel, row, 0);
    grid->addWidget(RemoveLocaleBtn, row++, 1);
    grid->addWidget(SkinLabel, row, 0);
    grid->addWidget(RemoveSkinBtn, row++, 1);
    grid->addWidget(SettingsLabel, row, 0);
    grid->addWidget(RemoveSettingsBtn, row++, 1);
    grid->addWidget(OkBtn, row, 0, 1, 2, Qt::AlignRight);

    connect(RemoveLocaleBtn, &QToolButton::clicked, this, &TAboutForm::RemoveLocaleClick);
    connect(RemoveSkinBtn, &QToolButton::clicked, this, &TAboutForm::RemoveSkinClick);
    connect(RemoveSettingsBtn, &QToolButton::clicked, this, &TAboutForm::RemoveSettingsClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    ShowState();
}

void TAboutForm::ShowState() {
    Paint(LocaleLabel, about_.localization);
    Paint(SkinLabel, about_.skin);
    Paint(SettingsLabel, about_.settings);
    RemoveLocaleBtn->setEnabled(about_.localizationRemovable);
    RemoveSkinBtn->setEnabled(about_.skinRemovable);
    RemoveSettingsBtn->setEnabled(about_.settingsRemovable);
}

void TAboutForm::RemoveLocaleClick() {
    about_.RemoveLocalization();
    ShowState();
}

void TAboutForm::RemoveSkinClick() {
    about_.RemoveSkin();
    ShowState();
}

void TAboutForm::RemoveSettingsClick() {
    about_.RemoveAllSettings();
    ShowState();
}

AboutPart::AboutPart(Frame& frame, TMain& main, Questions& questions, QObject* parent)
    : QObject(parent), frame_(frame), main_(main), questions_(questions) {
    setObjectName("AboutPart");
}

void AboutPart::BindCommands() {
    connect(frame_.Action(Cmd::About), &QAction::triggered, this, &AboutPart::About1Click);
}

void AboutPart::About1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto form = std::make_unique<TAboutForm>(main_.config, questions_, main_.texts, main_.saveSettingsAtExit,
                                             main_.uiTexts.localized, frame_.Window());
    form->SetConfigWriter(main_.writeConfigNow);
    QApplication::restoreOverrideCursor();
    form->exec();
}

}  // namespace pm::gui
