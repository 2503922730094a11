// GLib first: its headers use identifiers Qt may define as macros.
#include <gio/gio.h>

#include "devbus/privatebus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QPair>
#include <QTemporaryDir>
#include <QtDebug>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

PrivateBus* currentBus = nullptr;

const int startTimeoutMs = 10000;

// Policy that lets every test connection own, send and receive anything;
// it plays the part of a device's system bus.
const char systemBusConfig[] =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>system</type>\n"
    "  <listen>unix:dir=%1</listen>\n"
    "  <auth>EXTERNAL</auth>\n"
    "  <policy context=\"default\">\n"
    "    <allow user=\"*\"/>\n"
    "    <allow own=\"*\"/>\n"
    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
    "    <allow eavesdrop=\"true\"/>\n"
    "  </policy>\n"
    "</busconfig>\n";

struct Daemon
{
    pid_t pid = -1;
    QString address;
    QString logPath;
};

// Reads one line from fd, waiting at most timeoutMs in total.
QByteArray readLine(int fd, int timeoutMs)
{
    QByteArray line;
    QElapsedTimer timer;
    timer.start();
    while (!line.endsWith('\n')) {
        const int left = timeoutMs - int(timer.elapsed());
        if (left <= 0)
            break;
        pollfd pfd = {fd, POLLIN, 0};
        const int ready = poll(&pfd, 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[256];
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        line.append(buffer, int(count));
    }
    return line.trimmed();
}

bool startDaemon(Daemon& daemon, const QList<QByteArray>& arguments)
{
    int addressPipe[2];
    if (pipe2(addressPipe, O_CLOEXEC) != 0) {
        qWarning("PrivateBus: pipe: %s", strerror(errno));
        return false;
    }
    const QByteArray logFile = QFile::encodeName(daemon.logPath);
    const int logFd = open(logFile.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    const int nullFd = open("/dev/null", O_RDONLY | O_CLOEXEC);

    // Everything the child needs is prepared before fork().
    QList<QByteArray> argumentList;
    argumentList << "dbus-daemon" << arguments << "--nofork" << "--nosyslog"
                 << "--print-address=" + QByteArray::number(addressPipe[1]);
    std::vector<char*> argv;
    for (QByteArray& argument : argumentList)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The daemon must not outlive a test that crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        if (nullFd >= 0)
            dup2(nullFd, STDIN_FILENO);
        if (logFd >= 0) {
            dup2(logFd, STDOUT_FILENO);
            dup2(logFd, STDERR_FILENO);
        }
        fcntl(addressPipe[1], F_SETFD, 0);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(addressPipe[1]);
    if (logFd >= 0)
        close(logFd);
    if (nullFd >= 0)
        close(nullFd);
    if (pid < 0) {
        close(addressPipe[0]);
        qWarning("PrivateBus: fork: %s", strerror(errno));
        return false;
    }

    daemon.pid = pid;
    daemon.address = QString::fromLocal8Bit(readLine(addressPipe[0], startTimeoutMs));
    close(addressPipe[0]);
    if (daemon.address.isEmpty()) {
        qWarning("PrivateBus: dbus-daemon did not start; see %s", qPrintable(daemon.logPath));
        return false;
    }
    return true;
}

// GLib's shared bus connections (dconf's client writes through one) end
// the whole process when their bus goes away; a test that stops a bus on
// purpose must survive that.
void keepProcessWhenBusCloses(GBusType type)
{
    GDBusConnection* connection = g_bus_get_sync(type, nullptr, nullptr);
    if (connection) {
        g_dbus_connection_set_exit_on_close(connection, FALSE);
        g_object_unref(connection);
    }
}

void stopDaemon(Daemon& daemon, GBusType type)
{
    if (daemon.pid <= 0)
        return;
    keepProcessWhenBusCloses(type);
    kill(daemon.pid, SIGTERM);
    QElapsedTimer timer;
    timer.start();
    bool reaped = false;
    while (timer.elapsed() < 5000) {
        const pid_t result = waitpid(daemon.pid, nullptr, WNOHANG);
        if (result == daemon.pid || (result < 0 && errno == ECHILD)) {
            reaped = true;
            break;
        }
        usleep(10000);
    }
    if (!reaped) {
        kill(daemon.pid, SIGKILL);
        waitpid(daemon.pid, nullptr, 0);
    }
    daemon.pid = -1;
    daemon.address.clear();
}

} // namespace

class PrivateBusPrivate
{
public:
    void setEnvironment(const char* name, const QByteArray& value)
    {
        saved.append(qMakePair(QByteArray(name), qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()));
        savedWasSet.append(qEnvironmentVariableIsSet(name));
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    void restoreEnvironment()
    {
        for (int i = saved.size() - 1; i >= 0; --i) {
            if (savedWasSet.at(i))
                qputenv(saved.at(i).first.constData(), saved.at(i).second);
            else
                qunsetenv(saved.at(i).first.constData());
        }
        saved.clear();
        savedWasSet.clear();
    }

    QTemporaryDir root{QDir::tempPath() + QStringLiteral("/velin-test-XXXXXX")};
    Daemon session;
    Daemon system;
    QList<QPair<QByteArray, QByteArray>> saved;
    QList<bool> savedWasSet;
    bool started = false;
};

PrivateBus::PrivateBus()
    : d(new PrivateBusPrivate)
{
}

PrivateBus::~PrivateBus()
{
    stop(SystemBus);
    stop(SessionBus);
    d->restoreEnvironment();
    if (currentBus == this)
        currentBus = nullptr;
    delete d;
}

bool PrivateBus::start()
{
    if (d->started)
        return isRunning(SessionBus) && isRunning(SystemBus);
    d->started = true;
    if (!d->root.isValid()) {
        qWarning("PrivateBus: cannot create a temporary directory");
        return false;
    }

    const QString base = d->root.path();
    const QString home = base + QStringLiteral("/home");
    const QString runtime = base + QStringLiteral("/runtime");
    QDir().mkpath(home + QStringLiteral("/.config"));
    QDir().mkpath(home + QStringLiteral("/.cache"));
    QDir().mkpath(sessionServiceDirectory());
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(base + QStringLiteral("/system"));

    // The daemons, and every service they activate, inherit this environment.
    d->setEnvironment("HOME", QFile::encodeName(home));
    d->setEnvironment("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    d->setEnvironment("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    d->setEnvironment("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    d->setEnvironment("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/.cache")));
    d->setEnvironment("DBUS_STARTER_ADDRESS", QByteArray());
    d->setEnvironment("DBUS_STARTER_BUS_TYPE", QByteArray());
    d->setEnvironment("DBUS_SESSION_BUS_ADDRESS", QByteArray());
    d->setEnvironment("DBUS_SYSTEM_BUS_ADDRESS", QByteArray());

    QFile config(base + QStringLiteral("/system-bus.conf"));
    if (!config.open(QIODevice::WriteOnly)) {
        qWarning("PrivateBus: cannot write %s", qPrintable(config.fileName()));
        return false;
    }
    config.write(QString::fromLatin1(systemBusConfig).arg(base + QStringLiteral("/system")).toUtf8());
    config.close();

    d->session.logPath = base + QStringLiteral("/session-bus.log");
    d->system.logPath = base + QStringLiteral("/system-bus.log");
    const QByteArray sessionAddress = "--address=unix:dir=" + QFile::encodeName(runtime);
    if (!startDaemon(d->session, {"--session", sessionAddress}))
        return false;
    if (!startDaemon(d->system, {"--config-file=" + QFile::encodeName(config.fileName())}))
        return false;

    d->setEnvironment("DBUS_SESSION_BUS_ADDRESS", d->session.address.toLocal8Bit());
    d->setEnvironment("DBUS_SYSTEM_BUS_ADDRESS", d->system.address.toLocal8Bit());
    currentBus = this;
    return true;
}

bool PrivateBus::isRunning(Bus bus) const
{
    return (bus == SessionBus ? d->session : d->system).pid > 0;
}

QString PrivateBus::address(Bus bus) const
{
    return (bus == SessionBus ? d->session : d->system).address;
}

void PrivateBus::stop(Bus bus)
{
    if (bus == SessionBus)
        stopDaemon(d->session, G_BUS_TYPE_SESSION);
    else
        stopDaemon(d->system, G_BUS_TYPE_SYSTEM);
}

QString PrivateBus::homePath() const
{
    return d->root.path() + QStringLiteral("/home");
}

QString PrivateBus::sessionServiceDirectory() const
{
    return homePath() + QStringLiteral("/.local/share/dbus-1/services");
}

QString PrivateBus::logPath(Bus bus) const
{
    return (bus == SessionBus ? d->session : d->system).logPath;
}

PrivateBus* PrivateBus::instance()
{
    return currentBus;
}
