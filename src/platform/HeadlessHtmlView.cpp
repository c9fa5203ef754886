#include "platform/HeadlessHtmlView.h"

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/TextTests.h"
#include "document/PlainText.h"

namespace pm {
namespace {

constexpr std::string_view kFileScheme = "file://";

// The body from its open tag to "</body>" (added when the page lacks it).
std::string ExtractBody(const std::string& page) {
    const size_t open = text::FindNoCase(page, "<body");
    if (open == std::string::npos) return "<body>" + page + "</body>";
    size_t close = std::string::npos;
    for (size_t from = open; (from = text::FindNoCase(page, "</body>", from)) != std::string::npos; ++from)
        close = from;
    std::string body = page.substr(open, close == std::string::npos ? std::string::npos : close - open);
    return body + "</body>";
}

}  // namespace

void HeadlessHtmlView::Load(const std::string& address) {
    url_ = address;
    page_.clear();
    failed_ = false;
    if (address != "about:blank") {
        std::string path = address;
        if (path.rfind(kFileScheme, 0) == 0) path.erase(0, kFileScheme.size());
        // A browser shows a page of its own for a file it cannot read.
        failed_ = !ReadWholeFile(path, page_);
        if (failed_) page_ = "<html><body><p>This page cannot be reached.</p></body></html>";
    }
    loaded_ = true;
    scrollX = scrollY = 0;
    if (events_) {
        events_->ProgressChange(100, 100);
        events_->DocumentComplete(url_);
        events_->CommandStateChange(kCommandBack, historyPos_ > 0);
        events_->CommandStateChange(kCommandForward, historyPos_ + 1 < history_.size());
    }
}

void HeadlessHtmlView::Navigate(const std::string& address) {
    bool cancel = false;
    if (events_) events_->BeforeNavigate(address, cancel);
    if (cancel) return;
    navigations.push_back(address);
    if (!history_.empty()) history_.resize(historyPos_ + 1);
    history_.push_back(address);
    historyPos_ = history_.size() - 1;
    Load(address);
}

void HeadlessHtmlView::Reload() {
    ++reloads;
    if (loaded_) Load(url_);
}

void HeadlessHtmlView::GoBack() {
    if (historyPos_ == 0 || history_.empty()) return;
    Load(history_[--historyPos_]);
}

void HeadlessHtmlView::GoForward() {
    if (historyPos_ + 1 >= history_.size()) return;
    Load(history_[++historyPos_]);
}

std::string HeadlessHtmlView::LocationName() {
    const size_t open = text::FindNoCase(page_, "<title>");
    if (open == std::string::npos) return url_;
    const size_t from = open + 7;
    const size_t close = text::FindNoCase(page_, "</title>", from);
    return page_.substr(from, close == std::string::npos ? std::string::npos : close - from);
}

std::string HeadlessHtmlView::BodyOuterHtml() { return loaded_ && !page_.empty() ? ExtractBody(page_) : ""; }

std::string HeadlessHtmlView::BodyText() { return loaded_ ? RenderPlainText(page_) : ""; }

void HeadlessHtmlView::ScrollTo(int x, int y) {
    if (!loaded_) return;
    scrollX = std::max(0, x);
    scrollY = std::clamp(y, 0, std::max(0, scrollHeight));
}

void HeadlessHtmlView::ScrollBy(int dx, int dy) { ScrollTo(scrollX + dx, scrollY + dy); }

bool HeadlessHtmlView::HasElement(const std::string& nameOrId) {
    if (!loaded_ || nameOrId.empty()) return false;
    for (const char* attr : {"name=\"", "id=\""}) {
        if (text::FindNoCase(page_, attr + nameOrId + "\"") != std::string::npos) return true;
    }
    return false;
}

std::string HeadlessHtmlView::BodyStyle(BodyStyleProperty property) {
    auto it = style_.find(property);
    return it == style_.end() ? "" : it->second;
}

void HeadlessHtmlView::SetBodyStyle(BodyStyleProperty property, const std::string& value) {
    if (loaded_) style_[property] = value;
}

void HeadlessHtmlView::SetZoom(int level) { zoom = std::clamp(level, kZoomSmallest, kZoomLargest); }

}  // namespace pm
