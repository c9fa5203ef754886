// The embedded HTML view that shows previews and reader documents: the
// preview browser, the panel browser and the full-screen window's browser.
// The logic calls only this interface. The desktop program implements it on
// Qt WebEngine; HeadlessHtmlView is the stand-in of the CLI and the tests.
//
// Encodings: page text (outerHTML, body text, selections, HTML to paste,
// style values, the page title) is Windows-1251, like everything in the
// core; an implementation converts at its own boundary. Addresses are local
// paths as the file system names them (UTF-8 on Linux) or URLs, including
// "about:blank".
//
// A page that is not loaded yet, or has no body, makes every operation that
// needs it do nothing (getters return 0 or an empty string, finders false).
#pragma once

#include <string>

namespace pm {

// What the view tells the program. Every method has an empty default, so a
// listener overrides only what it needs. Events arrive on the UI thread.
class HtmlViewEvents {
public:
    virtual ~HtmlViewEvents() = default;
    // Asked before every navigation (typed loads and link clicks alike);
    // setting cancel stops it. The desktop view names a local file by its
    // "file://" URL, percent-encoded, with its anchor; a listener takes a
    // bare path as a whole file name.
    virtual void BeforeNavigate(const std::string& /*url*/, bool& /*cancel*/) {}
    // The page is loaded.
    virtual void DocumentComplete(const std::string& /*url*/) {}
    // Loading progress, progress out of maximum.
    virtual void ProgressChange(int /*progress*/, int /*maximum*/) {}
    // The text the view wants shown in the status line.
    virtual void StatusTextChange(const std::string& /*text*/) {}
    // Whether going forward or back is possible now.
    virtual void CommandStateChange(int /*command*/, bool /*enabled*/) {}
};

// Commands of CommandStateChange.
inline constexpr int kCommandForward = 1;
inline constexpr int kCommandBack = 2;

// The inline style properties of the body the reader sets.
enum class BodyStyleProperty { FontFamily, Color, FontSize, BackgroundColor, CssText };

// Zoom (text size) levels; 2 is normal.
inline constexpr int kZoomSmallest = 0;
inline constexpr int kZoomNormal = 2;
inline constexpr int kZoomLargest = 4;

class HtmlView {
public:
    virtual ~HtmlView() = default;

    // The listener of this view's events (not owned; null for none).
    virtual void SetEvents(HtmlViewEvents* events) = 0;

    // ---- navigation
    // Starts loading a local path or URL ("about:blank" too). BeforeNavigate
    // fires first and may cancel.
    virtual void Navigate(const std::string& address) = 0;
    // Loads the current page again from its file.
    virtual void Reload() = 0;
    // History navigation; failures are ignored.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    // The view's own find dialog.
    virtual void ShowFindDialog() = 0;

    // ---- the document
    // "" when there is no document; otherwise "loading", "interactive" or
    // "complete". Callers needing a page wait for "interactive" or
    // "complete" with WaitUntilReady.
    virtual std::string ReadyState() = 0;
    // The last page asked for did not load (a file that is gone): the view
    // shows an error page of its own under that page's address.
    virtual bool LoadFailed() = 0;
    // Lets the view process its pending events once (the body of the wait
    // loop; a headless view does nothing).
    virtual void ProcessPendingEvents() = 0;
    // Address and title of the current page.
    virtual std::string LocationUrl() = 0;
    virtual std::string LocationName() = 0;

    // ---- the body
    // The body serialised as HTML, from its open tag to its closing
    // "</body>" (seven characters), comments kept.
    virtual std::string BodyOuterHtml() = 0;
    // The page's text without tags, as rendered (line breaks as CR LF).
    virtual std::string BodyText() = 0;
    // Vertical scroll offset and total scrollable height, in pixels.
    virtual int ScrollTop() = 0;
    virtual int ScrollHeight() = 0;
    // Absolute and relative scrolling of the window.
    virtual void ScrollTo(int x, int y) = 0;
    virtual void ScrollBy(int dx, int dy) = 0;

    // ---- elements by name or id (the first match, like all.item(name, 0))
    virtual bool HasElement(const std::string& nameOrId) = 0;
    // Brings the element into view; false when there is none.
    virtual bool ScrollIntoView(const std::string& nameOrId) = 0;
    // Strips every attribute of the element; false when there is none.
    virtual bool ClearAttributes(const std::string& nameOrId) = 0;

    // ---- the user's selection as a text range
    virtual std::string SelectionText() = 0;
    virtual std::string SelectionHtml() = 0;
    // Replaces the selection with the HTML fragment.
    virtual void PasteHtml(const std::string& html) = 0;

    // ---- inline style of the body
    virtual std::string BodyStyle(BodyStyleProperty property) = 0;
    virtual void SetBodyStyle(BodyStyleProperty property, const std::string& value) = 0;

    // ---- view
    // Text size, kZoomSmallest..kZoomLargest, without prompting.
    virtual void SetZoom(int level) = 0;
    // The page takes the keyboard focus.
    virtual void Focus() = 0;
};

// Waits, processing the view's events and sleeping 10 ms between tests,
// until the page is "complete" or "interactive". No time limit, as the
// program expects; returns at once when it already is.
void WaitUntilReady(HtmlView& view);

}  // namespace pm
