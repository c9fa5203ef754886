// The About window: its labels with and without a skin and a localization,
// the three removals through its buttons, the links, the save-at-exit flag
// of the main window, and pictures of it in English and Russian.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <functional>

#include "GuiSupport.h"
#include "app/qt/AboutForm.h"
#include "common/AtomicFile.h"
#include "common/Version.h"
#include "config/RegFile.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

const QColor kGreen(0, 128, 0), kRed(255, 0, 0);

QColor TextColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

void AddSkin(ConfigTree& tree, const std::string& name) {
    tree.SetString(Root() + "\\html", "name", name);
    tree.SetDWord(Root() + "\\html\\xml", "Ostrel", 1);
}

void AddLocalization(ConfigTree& tree, const std::string& name) {
    tree.SetDWord(Root() + "\\interface", "target", 600);
    tree.SetString(Root() + "\\interface", "name", name);
}

// Calls `then` with the modal window once it shows (the caller is about
// to enter its event loop).
void WhenModal(std::function<void(QWidget*)> then) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, then] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            then(modal);
        }
    });
    timer->start();
}

// Records the addresses handed to the desktop instead of opening them.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

}  // namespace

class AboutFormTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void withNeitherSkinNorLocalization() {
        ConfigTree tree;
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, false);
        QCOMPARE(form.windowTitle(), QString("About Pellmark"));
        QCOMPARE(form.LocaleLabel->text(), QString("Localisation: None"));
        QCOMPARE(form.SkinLabel->text(), QString("HTML skin: None"));
        QCOMPARE(form.SettingsLabel->text(), QString("Remove settings & skin. Only locale remains."));
        QVERIFY(!form.RemoveLocaleBtn->isEnabled());
        QVERIFY(!form.RemoveSkinBtn->isEnabled());
        QVERIFY(form.RemoveSettingsBtn->isEnabled());
        QCOMPARE(form.RemoveLocaleBtn->toolTip(), QString("Uninstall translator"));
        QCOMPARE(form.RemoveSkinBtn->toolTip(), QString("Uninstall skin"));
        // The build's own version, not a constant of the window.
        QCOMPARE(form.VersionLabel->text(), QString("Pellmark v") + kProgramVersion);
        QCOMPARE(form.BuildLabel->text(), QString("Build ") + kBuildNumber);
        QVERIFY(form.LastVer->text().contains(">Download latest version<"));
        QVERIFY(form.HotNews->text().contains("Last news, discussion &amp; online support"));
    }

    void withSkinAndLocalization() {
        ConfigTree tree;
        AddSkin(tree, "Black & White");
        AddLocalization(tree, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");  // "Русский"
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, true);
        QCOMPARE(form.LocaleLabel->text(), QString::fromUtf8("Localisation: \"Русский\""));
        QCOMPARE(form.SkinLabel->text(), QString("HTML Skin: \"Black & White\""));
        QCOMPARE(TextColour(form.LocaleLabel), kGreen);
        QCOMPARE(TextColour(form.SkinLabel), kGreen);
        QVERIFY(form.RemoveLocaleBtn->isEnabled());
        QVERIFY(form.RemoveSkinBtn->isEnabled());
        // Keys without a name.
        tree.DeleteValue(Root() + "\\html", "name");
        tree.DeleteValue(Root() + "\\interface", "name");
        TAboutForm unnamed(tree, q, texts, save, true);
        QCOMPARE(unnamed.LocaleLabel->text(), QString("Localisation: \"Unknown language\""));
        QCOMPARE(unnamed.SkinLabel->text(), QString("HTML Skin: \"Unknown html skin\""));
    }

    void aNativeLocalizationCannotBeRemoved() {
        ConfigTree tree;
        AddLocalization(tree, "Native English");
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, true);
        QCOMPARE(form.LocaleLabel->text(), QString("Localisation: \"Native English\""));
        QCOMPARE(TextColour(form.LocaleLabel), kGreen);
        QVERIFY(!form.RemoveLocaleBtn->isEnabled());
    }

    void removingTheLocalization() {
        ConfigTree tree;
        AddLocalization(tree, "Deutsch");
        AddSkin(tree, "Sepia");
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, true);
        q.yesNoAnswers = {false};
        form.RemoveLocaleBtn->click();
        QVERIFY(tree.KeyExists(Root() + "\\interface"));
        QVERIFY(form.RemoveLocaleBtn->isEnabled());
        QCOMPARE(TextColour(form.LocaleLabel), kGreen);
        form.RemoveLocaleBtn->click();
        QVERIFY(!tree.KeyExists(Root() + "\\interface"));
        QVERIFY(tree.KeyExists(Root() + "\\html"));
        QCOMPARE(form.LocaleLabel->text(), QString("Restart Pellmark to see changes"));
        QCOMPARE(TextColour(form.LocaleLabel), kRed);
        QVERIFY(!form.RemoveLocaleBtn->isEnabled());
        QCOMPARE(q.asked.back().caption, std::string("Restart Pellmark"));
        QVERIFY(save);
    }

    void removingTheSkinAndThenTheSettings() {
        ConfigTree tree;
        AddSkin(tree, "Sepia");
        tree.SetDWord(Root(), "Interface mode", 1);
        tree.SetString(Root() + "\\Regexp", "r", "x");
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, false);
        q.yesNoAnswers = {false};
        form.RemoveSkinBtn->click();
        QVERIFY(tree.KeyExists(Root() + "\\html\\xml"));
        QCOMPARE(q.CountAsked("yesno"), size_t(1));
        // Yes to the removal, No to the settings: the values stay.
        q.yesNoAnswers = {true, false};
        form.RemoveSkinBtn->click();
        QVERIFY(!tree.KeyExists(Root() + "\\html"));
        QCOMPARE(form.SkinLabel->text(), QString("Restart Pellmark to see changes"));
        QCOMPARE(TextColour(form.SkinLabel), kRed);
        QVERIFY(!form.RemoveSkinBtn->isEnabled());
        QVERIFY(tree.GetValue(Root(), "Interface mode").has_value());
        QVERIFY(form.RemoveSettingsBtn->isEnabled());
        QVERIFY(save);
        // Then the settings from their own button: asked once, values gone,
        // sub-keys kept, nothing to be written back at exit.
        const size_t asked = q.CountAsked("yesno");
        form.RemoveSettingsBtn->click();
        QCOMPARE(q.CountAsked("yesno"), asked + 1);
        QVERIFY(tree.Values(Root()).empty());
        QVERIFY(tree.KeyExists(Root() + "\\Regexp"));
        QVERIFY(!save);
        QCOMPARE(form.SettingsLabel->text(), QString("Restart Pellmark to see changes"));
        QCOMPARE(TextColour(form.SettingsLabel), kRed);
        QVERIFY(!form.RemoveSettingsBtn->isEnabled());
    }

    void theSkinsFollowUpRemovesTheSettingsWithoutAnotherQuestion() {
        ConfigTree tree;
        AddSkin(tree, "Sepia");
        tree.SetDWord(Root(), "Interface mode", 1);
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, false);
        form.RemoveSkinBtn->click();
        QCOMPARE(q.CountAsked("yesno"), size_t(2));
        QVERIFY(tree.Values(Root()).empty());
        QVERIFY(!save);
        QVERIFY(!form.RemoveSettingsBtn->isEnabled());
    }

    // "About..." in the main window: removing every setting there means the
    // window writes none back when it closes.
    void removingAllSettingsFromTheMainWindow() {
        Fixture f;
        f.tree.SetDWord(Root(), "Short strings max", 64);
        TMainWnd& w = f.Open();
        QVERIFY(w.Action(Cmd::About)->isEnabled());
        QString title;
        bool removable = false;
        WhenModal([&](QWidget* modal) {
            auto* form = qobject_cast<TAboutForm*>(modal);
            if (!form) return modal->close();
            title = form->windowTitle();
            form->RemoveSettingsBtn->click();
            removable = form->RemoveSettingsBtn->isEnabled();
            form->OkBtn->click();
            return true;
        });
        w.Action(Cmd::About)->trigger();
        QCOMPARE(title, QString("About Pellmark"));
        QVERIFY(!removable);
        QVERIFY(!w.Main().saveSettingsAtExit);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!QApplication::overrideCursor());
        f.wnd.reset();
        QVERIFY(!f.tree.GetValue(Root(), "Short strings max").has_value());
        QVERIFY(!f.tree.GetValue(Root(), "Interface mode").has_value());
    }

    void linksGoToTheDesktop() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("https", &recorder, "Open");
        QDesktopServices::setUrlHandler("mailto", &recorder, "Open");
        ConfigTree tree;
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm form(tree, q, texts, save, false);
        for (QLabel* link : {form.LastVer, form.HotNews, form.DevicesLink, form.CreditsLabel}) {
            const int start = int(link->text().indexOf("href=\"")) + 6;
            emit link->linkActivated(link->text().mid(start, link->text().indexOf('"', start) - start));
        }
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(recorder.opened.size(), 4);
        QCOMPARE(recorder.opened[0].toString(), QString::fromStdString(DownloadPage()));
        QCOMPARE(recorder.opened[1].toString(), QString::fromStdString(NewsPage()));
        QCOMPARE(recorder.opened[2].toString(), QString::fromStdString(DevicesPage()));
        QCOMPARE(recorder.opened[3].scheme(), QString("mailto"));
    }

    void picturesInEnglishAndRussian() {
        ConfigTree en;
        AddSkin(en, "Sepia");
        ScriptedQuestions q;
        Texts texts;
        bool save = true;
        TAboutForm english(en, q, texts, save, false);
        english.show();
        Screenshot(&english, "about-en");

        std::string reg, error;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", reg));
        Fixture f;
        QVERIFY2(ImportRegedit(f.tree, reg, &error), error.c_str());
        AddSkin(f.tree, "\xD1\xE5\xEF\xE8\xFF");  // "Сепия"
        TMainWnd& w = f.Open();
        TAboutForm russian(f.tree, f.questions, w.Main().texts, w.Main().saveSettingsAtExit,
                           w.Main().uiTexts.localized, &w);
        QCOMPARE(russian.windowTitle(), QString::fromUtf8("О программе Pellmark"));
        QVERIFY(russian.LastVer->text().contains(QString::fromUtf8(">Скачать последнюю версию<")));
        QVERIFY(russian.HotNews->text().contains(QString::fromUtf8("Новости, обсуждение &amp; поддержка")));
        QCOMPARE(russian.LocaleLabel->text(), QString::fromUtf8("Localisation: \"Русский (пример)\""));
        QVERIFY(russian.RemoveLocaleBtn->isEnabled());
        russian.show();
        Screenshot(&russian, "about-ru");
    }
};

QTEST_MAIN(AboutFormTest)
#include "AboutFormTest.moc"
