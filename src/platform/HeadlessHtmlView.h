// The HTML view of the CLI and the tests: no rendering, no scripts. It
// records what the program asked of it, reads local pages from disk, and
// reports their text through the plain-text renderer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/HtmlView.h"

namespace pm {

class HeadlessHtmlView final : public HtmlView {
public:
    // ---- what the program did, for tests
    std::vector<std::string> navigations;  // every address navigated to
    int reloads = 0;
    int focusCount = 0;
    int zoom = kZoomNormal;
    int scrollX = 0, scrollY = 0;
    int scrollHeight = 0;  // reported as the page height
    // The selection a test pretends the user made, and what replaced it.
    std::string selectionText, selectionHtml;
    std::vector<std::string> pasted;

    void SetEvents(HtmlViewEvents* events) override { events_ = events; }

    void Navigate(const std::string& address) override;
    void Reload() override;
    void GoBack() override;
    void GoForward() override;
    void ShowFindDialog() override {}

    std::string ReadyState() override { return loaded_ ? "complete" : ""; }
    bool LoadFailed() override { return failed_; }
    void ProcessPendingEvents() override {}
    std::string LocationUrl() override { return url_; }
    std::string LocationName() override;

    std::string BodyOuterHtml() override;
    std::string BodyText() override;
    int ScrollTop() override { return loaded_ ? scrollY : 0; }
    int ScrollHeight() override { return loaded_ ? scrollHeight : 0; }
    void ScrollTo(int x, int y) override;
    void ScrollBy(int dx, int dy) override;

    bool HasElement(const std::string& nameOrId) override;
    bool ScrollIntoView(const std::string& nameOrId) override { return HasElement(nameOrId); }
    bool ClearAttributes(const std::string& nameOrId) override { return HasElement(nameOrId); }

    std::string SelectionText() override { return selectionText; }
    std::string SelectionHtml() override { return selectionHtml; }
    void PasteHtml(const std::string& html) override { pasted.push_back(html); }

    std::string BodyStyle(BodyStyleProperty property) override;
    void SetBodyStyle(BodyStyleProperty property, const std::string& value) override;

    void SetZoom(int level) override;
    void Focus() override { ++focusCount; }

    // The page as last loaded ("" for about:blank or an unreadable file).
    const std::string& Page() const { return page_; }

private:
    void Load(const std::string& address);

    HtmlViewEvents* events_ = nullptr;
    std::string url_, page_;
    bool loaded_ = false;
    bool failed_ = false;
    std::vector<std::string> history_;
    size_t historyPos_ = 0;
    std::map<BodyStyleProperty, std::string> style_;
};

}  // namespace pm
