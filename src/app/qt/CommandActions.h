// One action per command of the command table, shared by the menus and by
// every toolbar copy of its button.
#pragma once

#include <QAction>
#include <QObject>
#include <vector>

#include "config/Commands.h"
#include "config/Localization.h"

namespace pm::gui {

// Stands between groups of commands in menu and toolbar layouts.
inline constexpr Cmd kSeparator = static_cast<Cmd>(-1);

class CommandActions {
public:
    explicit CommandActions(QObject* owner);

    QAction* operator[](Cmd id) const { return actions_[static_cast<size_t>(id)]; }

    // Captions from the menu texts (or the hint when the command has no
    // menu caption), hints as tool tips and status tips.
    void ApplyCaptions(const InterfaceTexts& texts);
    // Enables every command for a mode and the document's state; commands
    // not built yet stay disabled.
    void EnableFor(int mode, bool hasSource, bool hasResult);

private:
    std::vector<QAction*> actions_;
};

}  // namespace pm::gui
