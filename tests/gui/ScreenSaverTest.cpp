// The screen-saver inhibitor against a desktop service of the test's own,
// on the private session bus that ctest starts for it (dbus-run-session).
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

#include "platform/qt/DBusScreenSaver.h"

using pm::gui::DBusScreenSaver;

namespace {

// A desktop's screen saver as far as the program sees it.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList applications, reasons;
    QList<uint> released;
    uint nextCookie = 41;

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        applications << application;
        reasons << reason;
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { released << cookie; }
};

const char* kFakeBus = "fake-desktop";

}  // namespace

class ScreenSaverTest : public QObject {
    Q_OBJECT

private:
    FakeScreenSaver fake_;
    bool registered_ = false;

    // The desktop side has a connection of its own, as it would.
    QDBusConnection Desktop() { return QDBusConnection(kFakeBus); }

    void Register() {
        registered_ = Desktop().registerService(DBusScreenSaver::kService) &&
                      Desktop().registerObject(DBusScreenSaver::kPath, &fake_, QDBusConnection::ExportAllSlots);
    }

private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("No D-Bus session bus here (dbus-run-session is missing): the inhibitor is not tested.");
        QVERIFY(QDBusConnection::connectToBus(QDBusConnection::SessionBus, kFakeBus).isConnected());
        Register();
        if (!registered_) QSKIP("Another screen saver owns the service on this bus: the inhibitor is not tested.");
    }

    void init() {
        fake_.applications.clear();
        fake_.reasons.clear();
        fake_.released.clear();
    }

    // Inhibit names the program and the reason; Release gives the cookie
    // back; a second Inhibit while held asks nothing more.
    void inhibitThenRelease() {
        DBusScreenSaver keeper("Pellmark", QDBusConnection::sessionBus());
        QVERIFY(!keeper.Inhibited());
        keeper.Inhibit("Reading with autoscroll");
        keeper.Inhibit("Reading with autoscroll");
        QVERIFY(keeper.Inhibited());
        QTRY_COMPARE(fake_.applications, QStringList{"Pellmark"});
        QCOMPARE(fake_.reasons, QStringList{"Reading with autoscroll"});
        QTest::qWait(50);
        QCOMPARE(fake_.applications.size(), 1);
        keeper.Release();
        QVERIFY(!keeper.Inhibited());
        QTRY_COMPARE(fake_.released, QList<uint>{fake_.nextCookie});
        keeper.Release();
        QTest::qWait(50);
        QCOMPARE(fake_.released.size(), 1);
    }

    // Released before the desktop answered: the cookie goes back as soon
    // as it comes.
    void releaseBeforeTheAnswer() {
        DBusScreenSaver keeper("Pellmark");
        keeper.Inhibit("Reading with autoscroll");
        keeper.Release();
        QTRY_COMPARE(fake_.released, QList<uint>{fake_.nextCookie});
    }

    // The program's end ends the inhibition.
    void releasedAtExit() {
        {
            DBusScreenSaver keeper("Pellmark");
            keeper.Inhibit("Reading with autoscroll");
            QTRY_COMPARE(fake_.applications.size(), 1);
        }
        QTRY_COMPARE(fake_.released, QList<uint>{fake_.nextCookie});
    }

    // Without a screen saver on the desktop nothing happens and nothing is
    // reported.
    void noServiceNothingHappens() {
        Desktop().unregisterObject(DBusScreenSaver::kPath);
        QVERIFY(Desktop().unregisterService(DBusScreenSaver::kService));
        {
            DBusScreenSaver keeper("Pellmark");
            keeper.Inhibit("Reading with autoscroll");
            QTest::qWait(200);
            keeper.Release();
            QTest::qWait(50);
        }
        QVERIFY(fake_.applications.isEmpty());
        QVERIFY(fake_.released.isEmpty());
        Register();
        QVERIFY(registered_);
    }
};

QTEST_GUILESS_MAIN(ScreenSaverTest)
#include "ScreenSaverTest.moc"
