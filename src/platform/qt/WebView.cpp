#include "platform/qt/WebView.h"

#include <QApplication>
#include <QChildEvent>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <QTimer>
#include <QWebEngineHistory>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestInfo>
#include <array>

#include "platform/qt/Text1251.h"

namespace pm::gui {

namespace {

// How long after a click or a key press a navigation still counts as the
// user's own.
constexpr qint64 kUserActionMs = 1500;

bool IsLocalScheme(const QString& scheme) {
    return scheme == "file" || scheme == "about" || scheme == "data" || scheme == "qrc" || scheme.isEmpty();
}

// The folder a local page may read from, with a trailing slash; empty when
// the page is no local file.
QString FolderOf(const QUrl& page) {
    if (!page.isLocalFile()) return {};
    QString folder = QFileInfo(page.toLocalFile()).absolutePath();
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

bool InFolder(const QUrl& request, const QString& folder) {
    return !folder.isEmpty() && request.isLocalFile() && QDir::cleanPath(request.toLocalFile()).startsWith(folder);
}

// A page that a page opened: it shows what its opener writes into it and
// goes nowhere by itself.
class PopupPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (url.scheme() == "about" || url.scheme() == "data") return true;
        if (isMainFrame && type == NavigationTypeLinkClicked && !IsLocalScheme(url.scheme()))
            OpenInDesktopBrowser(url);
        return false;
    }
};

}  // namespace

// Every request of a page passes here (on the UI thread). A local page
// reaches no remote address; in a confined view it reads no local file
// outside its own folder. Navigations of the main frame are the page's
// business (acceptNavigationRequest).
class LocalPagePolicy : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    bool confined = false;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl first = info.firstPartyUrl();
        const QUrl request = info.requestUrl();
        if (IsLocalScheme(first.scheme()) && !IsLocalScheme(request.scheme())) {
            info.block(true);
            return;
        }
        if (!confined || info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) return;
        if (request.isLocalFile() && !InFolder(request, FolderOf(first))) info.block(true);
    }
};

namespace {

class Page : public QWebEnginePage {
public:
    Page(WebView* view) : QWebEnginePage(view), view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!isMainFrame) return IsLocalScheme(url.scheme()) || !IsLocalScheme(this->url().scheme());
        return view_->AllowNavigation(url, type == NavigationTypeLinkClicked);
    }

private:
    WebView* view_;
};

// A JavaScript string literal of the text.
QString JsUnicode(const QString& text) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// A JavaScript string literal of Windows-1251 text.
QString JsString(const std::string& text1251) { return JsUnicode(FromCp1251(text1251)); }

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

// The browser draws a family the system lacks in its default font, a serif
// one, although the system substitutes another for it everywhere else
// ("Verdana" becomes a sans-serif font). The script gives the page the
// system's substitute under the asked name; it goes to the page's font set,
// not into the document, so a saved book does not carry it. Empty when the
// family is there, is a list, or has no substitute.
QString MissingFamilyScript(const std::string& family1251) {
    const QString family = FromCp1251(family1251).trimmed();
    if (family.isEmpty() || family.contains(',') || QFontDatabase::hasFamily(family)) return {};
    const QString substitute = QFontInfo(QFont(family)).family();
    if (substitute.isEmpty() || substitute.compare(family, Qt::CaseInsensitive) == 0) return {};
    return QString("(function(f,l){if(!document.fonts)return;for(const x of document.fonts)if(x.family===f)return;"
                   "document.fonts.add(new FontFace(f,l));})(%1,%2)")
        .arg(JsUnicode(family), JsUnicode("local(" + JsUnicode(substitute) + ")"));
}

const QString kScroller = QStringLiteral("(document.scrollingElement || document.body)");

}  // namespace

void OpenInDesktopBrowser(const QUrl& url) { QDesktopServices::openUrl(url); }

NoteWindow::NoteWindow(LocalPagePolicy* policy, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("NoteWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new QWebEngineView(this);
    auto* page = new PopupPage(view_);
    page->setUrlRequestInterceptor(policy);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    view_->setPage(page);
    connect(page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(page, &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(view_);
}

QWebEnginePage* NoteWindow::Page() const { return view_->page(); }

WebView::WebView(QWidget* parent) : QWebEngineView(parent) {
    setPage(new Page(this));
    // Dropped files belong to the window, which loads them as sources.
    setAcceptDrops(false);
    policy_ = new LocalPagePolicy(this);
    page()->setUrlRequestInterceptor(policy_);
    Connect();
}

void WebView::SetConfined(bool confined) {
    policy_->confined = confined;
    QWebEngineSettings* s = page()->settings();
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, !confined);
}

bool WebView::Confined() const { return policy_->confined; }

// The page's own widget comes and goes with the renderer: whatever widget
// joins the view is watched for the user's clicks and keys.
bool WebView::event(QEvent* e) {
    if (e->type() == QEvent::ChildPolished || e->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(e)->child();
        if (child && child->isWidgetType()) child->installEventFilter(this);
    }
    return QWebEngineView::event(e);
}

bool WebView::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::MouseButtonRelease || t == QEvent::KeyPress || t == QEvent::TouchEnd) lastInput_.start();
    return QWebEngineView::eventFilter(watched, e);
}

bool WebView::UserJustActed() const { return lastInput_.isValid() && lastInput_.elapsed() < kUserActionMs; }

void WebView::OpenWindow(QWebEngineNewWindowRequest& request) {
    auto* w = new NoteWindow(policy_, window());
    const QRect asked = request.requestedGeometry();
    w->resize(asked.width() > 0 ? asked.width() : 400, asked.height() > 0 ? asked.height() : 210);
    request.openIn(w->Page());
    w->show();
}

WebView::~WebView() = default;

void WebView::Connect() {
    connect(this, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(this, &QWebEngineView::loadProgress, this, [this](int percent) {
        if (events_) events_->ProgressChange(percent, 100);
    });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        loading_ = false;
        loadFailed_ = !ok;
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
    connect(page(), &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { OpenWindow(request); });
}

std::string WebView::EventAddress(const QUrl& url) {
    return url.isLocalFile() ? url.toString(QUrl::FullyEncoded).toStdString() : url.toString().toStdString();
}

bool WebView::AllowNavigation(const QUrl& url, bool userLink) {
    // A local page may not lead to a remote address; a link the user
    // clicked opens in the desktop's browser instead.
    if (IsLocalScheme(page()->url().scheme()) && !page()->url().isEmpty() && !IsLocalScheme(url.scheme())) {
        loading_ = false;
        if (userLink && UserJustActed()) OpenInDesktopBrowser(url);
        return false;
    }
    bool cancel = false;
    if (events_) events_->BeforeNavigate(EventAddress(url), cancel);
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
    if (p == BodyStyleProperty::FontFamily) {
        const QString alias = MissingFamilyScript(value);
        if (!alias.isEmpty()) RunScript(alias);
    }
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
