// Helpers of the reader's widget tests: books written as this program
// writes them, selections made in the page, clicks on its elements and
// answers given to the reader's windows.
#pragma once

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <functional>

#include "GuiSupport.h"
#include "common/AtomicFile.h"
#include "reader/qt/BookmarkManager.h"

namespace pm::gui::test {

// The head of a converted book (the "Header" template with a title).
inline const std::string kBookHead =
    "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head>"
    "<meta name=\"Generator\" content=\"Pellmark\"><meta name=\"author\" content=\"A\">"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><title>Book</title></head>";

// A book of that body (Windows-1251 bytes), ended as converted books end.
inline std::string WriteBook(const QString& path, const std::string& body, const std::string& beforeClose = "") {
    return WriteFile(path, kBookHead + "<body>" + body + beforeClose + "</body></html>\r\n");
}

// Paragraphs of filler text, about `bytes` long, each with its number.
inline std::string LongBody(size_t bytes) {
    std::string body;
    for (int n = 1; body.size() < bytes; ++n)
        body += "<p>Paragraph " + std::to_string(n) +
                " of the long book, where the reader goes on and on through the quiet pages.</p>\r\n";
    return body;
}

// The text of a page shown in a plain web view.
inline QString PageText(QWebEnginePage* page) {
    QString text;
    bool done = false;
    page->toPlainText([&](const QString& t) {
        text = t;
        done = true;
    });
    for (int n = 0; n < 500 && !done; ++n) QTest::qWait(10);
    return text;
}

// The note windows open now.
inline QList<NoteWindow*> NoteWindows() {
    QList<NoteWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<NoteWindow*>(w); note && note->isVisible()) out << note;
    return out;
}

// Selects the occurrence `nth` (from 0) of text in the page, within one
// text node, else the first one as the page's own find finds it; false
// when it is not there.
inline bool SelectText(WebView* view, const QString& text, int nth = 0) {
    const QString script =
        "(function(w,k){var t=document.createTreeWalker(document.body,NodeFilter.SHOW_TEXT);var n;"
        "while((n=t.nextNode())){var i=n.data.indexOf(w);if(i>=0&&k--==0){var r=document.createRange();"
        "r.setStart(n,i);r.setEnd(n,i+w.length);var s=window.getSelection();s.removeAllRanges();"
        "s.addRange(r);return true;}}getSelection().removeAllRanges();return window.find(w);})(" +
        QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1) + "," +
        QString::number(nth) + ")";
    return view->RunScript(script).toBool();
}

// Clicks, as the user would, the first element the CSS selector finds.
inline bool ClickElement(WebView* view, const QString& selector) {
    const QVariant at = view->RunScript(
        "(function(){var e=document.querySelector('" + selector +
        "');if(!e)return null;e.scrollIntoView();var r=e.getBoundingClientRect();"
        "return [Math.round(r.left+2),Math.round(r.top+r.height/2)];})()");
    const QVariantList xy = at.toList();
    if (xy.size() != 2 || !view->focusProxy()) return false;
    const QPoint p(xy[0].toInt(), xy[1].toInt());
    QTest::mouseMove(view->focusProxy(), p);
    QTest::mousePress(view->focusProxy(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(view->focusProxy(), Qt::LeftButton, {}, p);
    return true;
}

inline QStringList Captions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

// The bookmark items of the bookmark menu (after its two commands and the
// separator).
inline QList<QAction*> BookmarkItems(TMainWnd& w) { return w.Menu("bookmarks")->actions().mid(3); }

inline std::string ReadBytes(const QString& path) {
    std::string bytes;
    ReadWholeFile(ToFileName(path), bytes);
    return bytes;
}

// Where most reader tests start: a book of that body written into a folder
// of the test's own and opened in the reader of a window of its own. The
// test waits for the page itself (Shows), so that a page that never comes
// ends the test there.
struct BookInReader {
    QTemporaryDir dir;
    QString path;
    Fixture f;
    TMainWnd& w;

    BookInReader(const QString& name, const std::string& body, const std::string& beforeClose = "")
        : path(dir.filePath(name)), w(OpenBook(f, path, body, beforeClose)) {}

    // Waits until the page shows text.
    bool Shows(const QString& text) { return PageContains(w.CurrentBrowser(), text); }

private:
    static TMainWnd& OpenBook(Fixture& fixture, const QString& file, const std::string& body,
                              const std::string& beforeClose) {
        WriteBook(file, body, beforeClose);
        TMainWnd& wnd = fixture.Open();
        wnd.OpenInReader(ToFileName(file));
        return wnd;
    }
};

}  // namespace pm::gui::test
