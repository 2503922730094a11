#pragma once

#include <QByteArray>
#include <QString>

class PrivateBusPrivate;

// Private D-Bus daemons for one test process: a session bus (the standard
// session configuration, so activatable services such as dconf's start on
// demand) and a system bus, both exported through DBUS_SESSION_BUS_ADDRESS /
// DBUS_SYSTEM_BUS_ADDRESS. HOME, XDG_RUNTIME_DIR, XDG_CONFIG_HOME,
// XDG_DATA_HOME and XDG_CACHE_HOME point into a temporary directory, so
// nothing the tests do reaches the real user's data.
//
// QDBusConnection caches its bus connections: start() must run before any
// of them is used (the tests' VELIN_TEST_MAIN_WITH_BUS and the demo's main()
// take care of that).
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
