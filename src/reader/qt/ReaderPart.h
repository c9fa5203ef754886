// The reader's part of the main window: opening a finished book for
// reading, the pending changes of the book shown and their autosave.
#pragma once

#include <QObject>
#include <string>

#include "platform/qt/Frame.h"

namespace pm {
struct Settings;
class Texts;
class InterfaceTexts;
class Questions;
class FileDialogs;
}  // namespace pm

namespace pm::gui {

class ReaderPart : public QObject, public FramePart {
    Q_OBJECT
public:
    ReaderPart(Frame& frame, Settings& settings, const Texts& texts, const InterfaceTexts& uiTexts,
               Questions& questions, FileDialogs& dialogs);

    void BindCommands() override;
    void ModeChanged(int mode) override;
    // In reader mode with pending changes and "Autosave on exit" off, asks
    // "Save Read File": Cancel keeps the window open, Yes saves the book.
    bool Closing() override;

    // Opens a finished book in the current browser in reader mode.
    void OpenInReader(const std::string& path);
    // Writes the pending changes into the book shown.
    void SaveReaderChanges();
    void ForgetReaderChanges() { pendingChanges_ = false; }
    // Notes, bookmarks and styles mark the book as changed.
    void MarkChanged() { pendingChanges_ = true; }
    bool PendingChanges() const { return pendingChanges_; }
    // The file name of the "Open for reading" dialog.
    const std::string& DialogFile() const { return dialogFile_; }

public slots:
    void OpenReaderClick();

private:
    Frame& frame_;
    Settings& settings_;
    const Texts& texts_;
    const InterfaceTexts& uiTexts_;
    Questions& questions_;
    FileDialogs& dialogs_;
    bool pendingChanges_ = false;
    std::string dialogFile_;
};

}  // namespace pm::gui
