// The embedded HTML view on Qt WebEngine. Pages are driven with small
// scripts whose results are awaited in a local event loop; the program's
// own pages render in quirks mode, so scrolling goes through
// document.scrollingElement, which is right in both modes.
//
// Any HTML file may be opened, so a local page is not trusted: it may run
// its scripts, but it reaches no remote address (a link the user clicks to
// one opens in the desktop's browser instead), and a confined view's page
// reads no local file outside its own folder. Windows a page opens (the
// note links of books) show in small windows of the program, under the
// same rules.
#pragma once

#include <QElapsedTimer>
#include <QVariant>
#include <QWebEngineView>

#include "platform/HtmlView.h"

class QWebEngineNewWindowRequest;

namespace pm::gui {

class LocalPagePolicy;

// A small window showing a page that a page opened (a note's text).
class NoteWindow : public QWidget {
    Q_OBJECT
public:
    NoteWindow(LocalPagePolicy* policy, QWidget* parent);
    QWebEngineView* View() const { return view_; }
    QWebEnginePage* Page() const;

private:
    QWebEngineView* view_;
};

class WebView : public QWebEngineView, public HtmlView {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);
    ~WebView() override;

    void SetEvents(HtmlViewEvents* events) override { events_ = events; }
    HtmlViewEvents* Events() const { return events_; }
    void Navigate(const std::string& address) override;
    void Reload() override;
    void GoBack() override;
    void GoForward() override;
    void ShowFindDialog() override;
    std::string ReadyState() override;
    bool LoadFailed() override { return loadFailed_; }
    void ProcessPendingEvents() override;
    std::string LocationUrl() override;
    std::string LocationName() override;
    std::string BodyOuterHtml() override;
    std::string BodyText() override;
    int ScrollTop() override;
    int ScrollHeight() override;
    void ScrollTo(int x, int y) override;
    void ScrollBy(int dx, int dy) override;
    bool HasElement(const std::string& nameOrId) override;
    bool ScrollIntoView(const std::string& nameOrId) override;
    bool ClearAttributes(const std::string& nameOrId) override;
    std::string SelectionText() override;
    std::string SelectionHtml() override;
    void PasteHtml(const std::string& html) override;
    std::string BodyStyle(BodyStyleProperty property) override;
    void SetBodyStyle(BodyStyleProperty property, const std::string& value) override;
    void SetZoom(int level) override;
    void Focus() override;

    // Runs a script in the page and waits for its result.
    QVariant RunScript(const QString& script);
    // The zoom factor of a text size level (2 is 1.0).
    static double ZoomFactor(int level);
    // The address a navigation to this local path or URL goes to.
    static QUrl AddressUrl(const std::string& address);
    // False when the page's renderer has died; waits then give up.
    bool Alive() const { return alive_; }

    // Asked by the page before a navigation of its main frame; true lets
    // it go on. userLink: the navigation follows a link.
    bool AllowNavigation(const QUrl& url, bool userLink);
    // A confined view's pages read local files of their own folder only,
    // and open windows only when the user clicks.
    void SetConfined(bool confined);
    bool Confined() const;
    // The address BeforeNavigate reports: a file URL, fully encoded, with
    // its anchor; other URLs as they are.
    static std::string EventAddress(const QUrl& url);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Connect();
    void OpenWindow(QWebEngineNewWindowRequest& request);
    bool UserJustActed() const;
    QString ElementScript(const std::string& nameOrId, const QString& action);

    HtmlViewEvents* events_ = nullptr;
    LocalPagePolicy* policy_ = nullptr;
    bool loading_ = false;
    bool loadFailed_ = false;
    bool alive_ = true;
    // When the user last clicked or typed in the page.
    QElapsedTimer lastInput_;
};

// Opens a remote address the user chose in the desktop's browser.
void OpenInDesktopBrowser(const QUrl& url);

// Whether Qt WebEngine can start here: loads a tiny page offscreen and
// waits for it. False with the reason in *why.
bool WebEngineWorks(QString* why);

}  // namespace pm::gui
