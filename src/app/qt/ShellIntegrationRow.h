// The options panel's "Integrate with shell" row over the desktop entries:
// its state is whether the entries exist, and turning it writes or removes
// them with the program's current path and the localized captions.
#pragma once

#include <QCoreApplication>

#include "common/Cp1251.h"
#include "config/Localization.h"
#include "options/OptionsModel.h"
#include "platform/qt/Text1251.h"
#include "shell/DesktopEntries.h"

namespace pm::gui {

class ShellIntegrationRow : public ShellIntegration {
public:
    explicit ShellIntegrationRow(const InterfaceTexts& texts) : texts_(texts) {}
    bool Integrated() const override { return shell::ShellIntegrated(); }
    bool SetIntegrated(bool on, std::string* error) override {
        std::string why;
        const bool done = shell::SetShellIntegration(on, ToFileName(QCoreApplication::applicationFilePath()),
                                                     shell::CaptionsOf(texts_), &why);
        if (!done && error) *error = cp1251::FromUtf8(why);
        return done;
    }

private:
    const InterfaceTexts& texts_;
};

}  // namespace pm::gui
