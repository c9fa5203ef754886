// The shell's part of the main window: the user's external tool buttons on
// both toolbars, "Send to rocket now" (the book to an e-book reader), and
// the desktop entries rewritten at start while the integration is on.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Texts.h"
#include "document/DocValues.h"
#include "document/OutputFiles.h"
#include "platform/Questions.h"
#include "platform/qt/Frame.h"
#include "shell/Device.h"
#include "shell/ToolButtons.h"

class QAction;
class QSocketNotifier;

namespace pm::gui {

// What the part uses of the main window's logic.
struct ShellContext {
    ConfigTree& tree;
    const DocValues& doc;
    const OutputFiles& files;
    const Texts& texts;
    Questions& questions;
    // Writes the finished book and names its files; false with one
    // sentence (UTF-8) in *error.
    std::function<bool(std::vector<shell::BookFile>&, std::string*)> finishedBook;
    // The program the desktop entries start.
    std::string programPath;
};

class ShellPart : public QObject, public FramePart {
    Q_OBJECT
public:
    ShellPart(Frame& frame, ShellContext context, QObject* parent = nullptr);
    ~ShellPart() override;

    // ---- FramePart
    // Binds "Send to rocket now" and puts the tool buttons on the toolbars.
    void BindCommands() override;
    // The first time: an integrated installation writes its desktop entries
    // anew, with this program's path and the captions just applied.
    void TextsApplied(const InterfaceTexts& texts) override;

    // The tool buttons' actions, in number order (one action shows as a
    // button on each toolbar).
    const std::vector<QAction*>& ToolActions() const { return toolActions_; }
    // Where the book would go now.
    shell::DeviceTarget Target() const;
    // Where removable media are mounted and how to read the mount list
    // (the real ones unless a test gives its own); the command follows.
    void SetMountSource(std::vector<std::string> roots, std::function<std::string()> mountList);
    // The target may have come or gone (a volume mounted or unmounted):
    // "Send to rocket now" is enabled as the document allows and a target
    // exists.
    void RefreshSendCommand();

public slots:
    // Runs the tool whose number is the sender's data.
    void ToolButtonClick();
    // "Send to rocket now": the book to the target, and what was copied told.
    void RocketBtnClick();

private:
    void CreateToolButtons();
    void FollowMounts();
    // The command is off while there is no target.
    void KeepSendAllowed(bool enabled);

    Frame& frame_;
    ShellContext ctx_;
    std::vector<shell::ToolButton> tools_;
    std::vector<QAction*> toolActions_;
    std::vector<std::string> mountRoots_;
    std::function<std::string()> mountList_;
    QSocketNotifier* mountWatch_ = nullptr;
    int mountsFd_ = -1;
    bool entriesRefreshed_ = false;
};

}  // namespace pm::gui
