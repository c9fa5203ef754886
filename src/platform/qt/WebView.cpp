#include "platform/qt/WebView.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestInfo>
#include <array>

#include "platform/qt/Text1251.h"

namespace pm::gui {

namespace {

bool IsLocalScheme(const QString& scheme) {
    return scheme == "file" || scheme == "about" || scheme == "data" || scheme == "qrc" || scheme.isEmpty();
}

// Resources requested by a local page must be local too.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (IsLocalScheme(info.firstPartyUrl().scheme()) && !IsLocalScheme(info.requestUrl().scheme()))
            info.block(true);
    }
};

class Page : public QWebEnginePage {
public:
    Page(WebView* view) : QWebEnginePage(view), view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame) return IsLocalScheme(url.scheme()) || !IsLocalScheme(this->url().scheme());
        return view_->AllowNavigation(url);
    }

private:
    WebView* view_;
};

// A JavaScript string literal of Windows-1251 text.
QString JsString(const std::string& text1251) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{FromCp1251(text1251)}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

const char* StyleName(BodyStyleProperty p) {
    switch (p) {
        case BodyStyleProperty::FontFamily: return "fontFamily";
        case BodyStyleProperty::Color: return "color";
        case BodyStyleProperty::FontSize: return "fontSize";
        case BodyStyleProperty::BackgroundColor: return "backgroundColor";
        case BodyStyleProperty::CssText: return "cssText";
    }
    return "cssText";
}

const QString kScroller = QStringLiteral("(document.scrollingElement || document.body)");

}  // namespace

WebView::WebView(QWidget* parent) : QWebEngineView(parent) {
    setPage(new Page(this));
    // Dropped files belong to the window, which loads them as sources.
    setAcceptDrops(false);
    interceptor_ = new LocalOnlyInterceptor(this);
    page()->setUrlRequestInterceptor(interceptor_);
    Connect();
}

WebView::~WebView() = default;

void WebView::Connect() {
    connect(this, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(this, &QWebEngineView::loadProgress, this, [this](int percent) {
        if (events_) events_->ProgressChange(percent, 100);
    });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        loading_ = false;
        if (events_) events_->DocumentComplete(LocationUrl());
    });
    connect(this, &QWebEngineView::urlChanged, this, [this] {
        if (!events_) return;
        events_->CommandStateChange(kCommandForward, history()->canGoForward());
        events_->CommandStateChange(kCommandBack, history()->canGoBack());
    });
    connect(page(), &QWebEnginePage::linkHovered, this, [this](const QString& link) {
        if (events_) events_->StatusTextChange(ToCp1251(link));
    });
    connect(page(), &QWebEnginePage::renderProcessTerminated, this, [this] {
        alive_ = false;
        loading_ = false;
    });
}

bool WebView::AllowNavigation(const QUrl& url) {
    // A local page may not lead to a remote address.
    if (IsLocalScheme(page()->url().scheme()) && !page()->url().isEmpty() && !IsLocalScheme(url.scheme())) {
        loading_ = false;
        return false;
    }
    bool cancel = false;
    if (events_) {
        const std::string address = url.isLocalFile() ? ToFileName(url.toLocalFile()) : url.toString().toStdString();
        events_->BeforeNavigate(address, cancel);
    }
    if (cancel) loading_ = false;
    return !cancel;
}

QUrl WebView::AddressUrl(const std::string& address) {
    const QString text = FromFileName(address);
    if (text.startsWith('/')) return QUrl::fromLocalFile(text);
    const QUrl url(text);
    if (url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

// Loading counts from the request on, so that a wait right after it does not
// see the previous page as ready.
void WebView::Navigate(const std::string& address) {
    alive_ = true;
    loading_ = true;
    load(AddressUrl(address));
}

void WebView::Reload() {
    loading_ = true;
    reload();
}
void WebView::GoBack() { back(); }
void WebView::GoForward() { forward(); }

void WebView::ShowFindDialog() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Find"), tr("Find:"), QLineEdit::Normal, QString(), &ok);
    if (ok && !text.isEmpty()) findText(text);
}

QVariant WebView::RunScript(const QString& script) {
    if (!alive_) return {};
    QVariant result;
    bool done = false;
    QEventLoop loop;
    page()->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
        loop.quit();
    });
    // A renderer that dies never answers.
    connect(page(), &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    if (!done) loop.exec();
    return result;
}

std::string WebView::ReadyState() {
    if (!alive_) return "complete";  // nothing more will load; waiting must end
    if (loading_) return "loading";
    return RunScript("document.readyState").toString().toStdString();
}

void WebView::ProcessPendingEvents() { QApplication::processEvents(QEventLoop::AllEvents, 10); }

std::string WebView::LocationUrl() {
    const QUrl u = url();
    return u.isLocalFile() ? ToFileName(u.toLocalFile()) : u.toString().toStdString();
}

std::string WebView::LocationName() { return ToCp1251(title()); }

std::string WebView::BodyOuterHtml() {
    return ToCp1251(RunScript("document.body ? document.body.outerHTML : ''").toString());
}

std::string WebView::BodyText() {
    QString text = RunScript("document.body ? document.body.innerText : ''").toString();
    text.replace("\r\n", "\n").replace('\n', "\r\n");
    return ToCp1251(text);
}

int WebView::ScrollTop() { return RunScript(kScroller + " ? " + kScroller + ".scrollTop : 0").toInt(); }
int WebView::ScrollHeight() { return RunScript(kScroller + " ? " + kScroller + ".scrollHeight : 0").toInt(); }

void WebView::ScrollTo(int x, int y) { RunScript(QString("window.scrollTo(%1, %2)").arg(x).arg(y)); }
void WebView::ScrollBy(int dx, int dy) { RunScript(QString("window.scrollBy(%1, %2)").arg(dx).arg(dy)); }

QString WebView::ElementScript(const std::string& nameOrId, const QString& action) {
    const QString n = JsString(nameOrId);
    return "(function(){var e=document.getElementById(" + n + ")||document.getElementsByName(" + n +
           ")[0];if(!e)return false;" + action + "return true;})()";
}

bool WebView::HasElement(const std::string& n) { return RunScript(ElementScript(n, "")).toBool(); }
bool WebView::ScrollIntoView(const std::string& n) {
    return RunScript(ElementScript(n, "e.scrollIntoView();")).toBool();
}
bool WebView::ClearAttributes(const std::string& n) {
    return RunScript(ElementScript(n, "while(e.attributes.length)e.removeAttribute(e.attributes[0].name);")).toBool();
}

std::string WebView::SelectionText() { return ToCp1251(RunScript("window.getSelection().toString()").toString()); }

std::string WebView::SelectionHtml() {
    return ToCp1251(RunScript("(function(){var s=window.getSelection();if(!s.rangeCount)return '';"
                              "var d=document.createElement('div');d.appendChild(s.getRangeAt(0).cloneContents());"
                              "return d.innerHTML;})()")
                        .toString());
}

void WebView::PasteHtml(const std::string& html) {
    RunScript("(function(){var s=window.getSelection();if(!s.rangeCount)return;var r=s.getRangeAt(0);"
              "r.deleteContents();r.insertNode(r.createContextualFragment(" +
              JsString(html) + "));})()");
}

std::string WebView::BodyStyle(BodyStyleProperty p) {
    return ToCp1251(RunScript(QString("document.body ? document.body.style.%1 : ''").arg(StyleName(p))).toString());
}

void WebView::SetBodyStyle(BodyStyleProperty p, const std::string& value) {
    RunScript(QString("if (document.body) document.body.style.%1 = %2").arg(StyleName(p), JsString(value)));
}

double WebView::ZoomFactor(int level) {
    static constexpr std::array<double, 5> kFactors{0.75, 0.875, 1.0, 1.25, 1.5};
    return kFactors[static_cast<size_t>(std::clamp(level, kZoomSmallest, kZoomLargest))];
}

void WebView::SetZoom(int level) { setZoomFactor(ZoomFactor(level)); }

void WebView::Focus() { setFocus(); }

bool WebEngineWorks(QString* why) {
    QWebEnginePage page;
    bool finished = false, ok = false;
    QEventLoop loop;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool success) {
        finished = true;
        ok = success;
        loop.quit();
    });
    QObject::connect(&page, &QWebEnginePage::renderProcessTerminated, &loop, [&] {
        finished = true;
        loop.quit();
    });
    page.setHtml("<html><body>ok</body></html>");
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!finished) loop.exec();
    if (!ok && why) *why = finished ? "the browser engine stopped" : "the browser engine did not answer";
    return ok;
}

}  // namespace pm::gui
