// The main window is a frame: it holds the browsers, the pages, the status
// bar and one action per command of the command table. Each subsystem
// plugs its commands and windows into it as a part.
#pragma once

#include <string>

#include <QString>
#include <string_view>

#include "config/Commands.h"

class QAction;
class QMenu;
class QString;
class QWidget;

namespace pm {
class InterfaceTexts;
}

namespace pm::gui {

class WebView;

// What the frame offers its parts.
class Frame {
public:
    virtual ~Frame() = default;
    virtual QAction* Action(Cmd id) const = 0;
    // The browser that shows previews and books in the current mode.
    virtual WebView* CurrentBrowser() const = 0;
    // 0 simple, 1 advanced, 2 reader.
    virtual int Mode() const = 0;
    virtual void SetInterfaceMode(int mode) = 0;
    // Enables the commands that follow the document's state anew.
    virtual void UpdateCommands() = 0;
    // The page shown in the advanced mode's page control (0 preview, 1 HTML,
    // 2 source).
    virtual int ActivePage() const = 0;
    // The text selected in the preview browser.
    virtual QString SelectedPreviewText() const = 0;
    // Sets the text of a status-bar panel (0 progress, 1 status line, 2
    // clock).
    virtual void SetPanelText(int panel, const QString& text) = 0;
    // The parent of the part's windows.
    virtual QWidget* Window() = 0;
    // A menu of the menu bar by its caption key ("bookmarks", "recent files").
    virtual QMenu* Menu(const QString& key) const = 0;
    // The file goes to the editor: the mode before the reader, then the
    // source loaded from path as if chosen in the open dialog.
    virtual void OpenForEditing(const std::string& path) = 0;
};

// A subsystem's part of the main window.
class FramePart {
public:
    virtual ~FramePart() = default;
    // Connects the part's commands to their handlers.
    virtual void BindCommands() = 0;
    // The frame is about to leave its interface mode for another: false
    // keeps it in the mode it is in.
    virtual bool ModeChanging(int /*target*/) { return true; }
    // The frame has arranged itself for a new interface mode.
    virtual void ModeChanged(int /*mode*/) {}
    // A setting changed, by whatever means (its stored name).
    virtual void OptionChanged(std::string_view /*storedName*/) {}
    // The interface texts were applied to the frame's commands.
    virtual void TextsApplied(const InterfaceTexts& /*texts*/) {}
    // The window is asked to close: false keeps it open.
    virtual bool Closing() { return true; }
};

}  // namespace pm::gui
