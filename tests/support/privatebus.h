#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtTest>

class PrivateBusPrivate;

// Private D-Bus daemons for one test process: a session bus (the standard
// session configuration, so activatable services such as dconf's start on
// demand) and a system bus, both exported through DBUS_SESSION_BUS_ADDRESS /
// DBUS_SYSTEM_BUS_ADDRESS. HOME, XDG_RUNTIME_DIR, XDG_CONFIG_HOME,
// XDG_DATA_HOME and XDG_CACHE_HOME point into a temporary directory, so
// nothing the tests do reaches the real user's data.
//
// QDBusConnection caches its bus connections: start() must run before any
// of them is used, which VELIN_TEST_MAIN_WITH_BUS takes care of.
class PrivateBus
{
public:
    enum Bus { SessionBus, SystemBus };

    PrivateBus();
    ~PrivateBus(); // stops the daemons and restores the environment

    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool start();
    bool isRunning(Bus bus) const;
    QString address(Bus bus) const;

    // Stops one daemon, e.g. to test how code copes with a lost bus.
    void stop(Bus bus);

    // The temporary home directory.
    QString homePath() const;
    // Service files written here (name.service) are activatable on the
    // private session bus.
    QString sessionServiceDirectory() const;
    // Where each daemon (and what it activates) writes its messages.
    QString logPath(Bus bus) const;

    // The bus started by the running test's main(), if any.
    static PrivateBus* instance();

private:
    PrivateBusPrivate* const d;
};

// Like QTEST_MAIN, but the private buses and the temporary home are set up
// before QApplication exists and torn down after it is gone.
#define VELIN_TEST_MAIN_WITH_BUS(TestObject)                                   \
    int main(int argc, char* argv[])                                           \
    {                                                                          \
        PrivateBus velinPrivateBus;                                            \
        if (!velinPrivateBus.start()) {                                        \
            qCritical("cannot start the private D-Bus daemons");               \
            return 1;                                                          \
        }                                                                      \
        QTEST_MAIN_IMPL(TestObject)                                            \
    }

// The same for suites that need no QApplication.
#define VELIN_TEST_GUILESS_MAIN_WITH_BUS(TestObject)                           \
    int main(int argc, char* argv[])                                           \
    {                                                                          \
        PrivateBus velinPrivateBus;                                            \
        if (!velinPrivateBus.start()) {                                        \
            qCritical("cannot start the private D-Bus daemons");               \
            return 1;                                                          \
        }                                                                      \
        QCoreApplication app(argc, argv);                                      \
        TestObject tc;                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&tc, argc, argv);                                  \
    }
