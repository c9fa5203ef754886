// The embedded HTML view on Qt WebEngine. Pages are driven with small
// scripts whose results are awaited in a local event loop; the program's
// own pages render in quirks mode, so scrolling goes through
// document.scrollingElement, which is right in both modes. A local page may
// not reach remote addresses.
#pragma once

#include <QVariant>
#include <QWebEngineView>

#include "platform/HtmlView.h"

class QWebEngineUrlRequestInterceptor;

namespace pm::gui {

class WebView : public QWebEngineView, public HtmlView {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);
    ~WebView() override;

    void SetEvents(HtmlViewEvents* events) override { events_ = events; }
    void Navigate(const std::string& address) override;
    void Reload() override;
    void GoBack() override;
    void GoForward() override;
    void ShowFindDialog() override;
    std::string ReadyState() override;
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

    // Asked by the page before a navigation; true lets it go on.
    bool AllowNavigation(const QUrl& url);

private:
    void Connect();
    QString ElementScript(const std::string& nameOrId, const QString& action);

    HtmlViewEvents* events_ = nullptr;
    QWebEngineUrlRequestInterceptor* interceptor_ = nullptr;
    bool loading_ = false;
    bool alive_ = true;
};

// Whether Qt WebEngine can start here: loads a tiny page offscreen and
// waits for it. False with the reason in *why.
bool WebEngineWorks(QString* why);

}  // namespace pm::gui
