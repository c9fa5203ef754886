#include "platform/qt/DBusScreenSaver.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace pm::gui {

DBusScreenSaver::DBusScreenSaver(const QString& application, QObject* parent)
    : QObject(parent), application_(application) {}

DBusScreenSaver::DBusScreenSaver(const QString& application, QDBusConnection connection, QObject* parent)
    : QObject(parent), application_(application), bus_(std::move(connection)) {}

QDBusConnection& DBusScreenSaver::Bus() {
    if (!bus_) bus_ = QDBusConnection::sessionBus();
    return *bus_;
}

DBusScreenSaver::~DBusScreenSaver() { Release(); }

void DBusScreenSaver::Inhibit(const std::string& reason) {
    if (wanted_) return;
    wanted_ = true;
    if (pending_ || held_ || !Bus().isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
    call << application_ << QString::fromStdString(reason);
    pending_ = true;
    auto* watcher = new QDBusPendingCallWatcher(Bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        pending_ = false;
        const QDBusPendingReply<uint> reply = *w;
        // No screen saver on this desktop: nothing to hold, nothing to say.
        if (!reply.isError()) CookieArrived(reply.value());
    });
}

void DBusScreenSaver::CookieArrived(uint cookie) {
    cookie_ = cookie;
    held_ = true;
    if (!wanted_) SendUnInhibit();
}

void DBusScreenSaver::Release() {
    if (!wanted_) return;
    wanted_ = false;
    if (held_) SendUnInhibit();
}

void DBusScreenSaver::SendUnInhibit() {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
    call << cookie_;
    Bus().send(call);
    held_ = false;
}

}  // namespace pm::gui
