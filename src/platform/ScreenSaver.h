// Keeps the screen on while the user reads hands-free: the desktop's screen
// saver and display power-off are held off between Inhibit and Release.
// Where the desktop offers no such service, nothing happens and nothing is
// reported.
#pragma once

#include <string>

namespace pm {

class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // Asks the desktop to keep the screen on, for the reason given (UTF-8).
    // A second call while inhibited does nothing.
    virtual void Inhibit(const std::string& reason) = 0;
    // Lets the screen saver work again; nothing when not inhibited.
    virtual void Release() = 0;
    // Whether the screen is meant to stay on now.
    virtual bool Inhibited() const = 0;
};

}  // namespace pm
