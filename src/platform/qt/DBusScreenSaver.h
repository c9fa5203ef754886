// The screen-saver inhibitor over the desktop's D-Bus interface
// org.freedesktop.ScreenSaver (Inhibit / UnInhibit) on the session bus.
// Calls are asynchronous: the window never waits for the desktop. A release
// that comes before the desktop's answer gives the inhibition back as soon
// as the answer (its cookie) arrives.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

#include "platform/ScreenSaver.h"

namespace pm::gui {

class DBusScreenSaver : public QObject, public ScreenSaverInhibitor {
    Q_OBJECT
public:
    // The session bus, reached only when the screen is first to stay on.
    explicit DBusScreenSaver(const QString& application, QObject* parent = nullptr);
    // Another bus (tests).
    DBusScreenSaver(const QString& application, QDBusConnection connection, QObject* parent = nullptr);
    // The inhibition ends with the program.
    ~DBusScreenSaver() override;

    void Inhibit(const std::string& reason) override;
    void Release() override;
    bool Inhibited() const override { return wanted_; }

    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPath = "/org/freedesktop/ScreenSaver";
    static constexpr const char* kInterface = "org.freedesktop.ScreenSaver";

private:
    void CookieArrived(uint cookie);
    void SendUnInhibit();
    QDBusConnection& Bus();

    QString application_;
    std::optional<QDBusConnection> bus_;
    bool wanted_ = false;   // the screen is to stay on
    bool pending_ = false;  // an Inhibit call awaits its answer
    bool held_ = false;     // the desktop gave a cookie not yet given back
    uint cookie_ = 0;
};

}  // namespace pm::gui
