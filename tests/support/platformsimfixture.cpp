#include "platformsimfixture.h"

#include "privatebus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString controlService = QStringLiteral("com.qorva.platformsim");
const QString controlPath = QStringLiteral("/com/qorva/platformsim");
const QString controlInterface = QStringLiteral("com.qorva.platformsim.Control");

} // namespace

class PlatformSimFixturePrivate
{
public:
    PlatformSimFixture* q = nullptr;
    bool writeFile(const QString& path, const QByteArray& contents);
    void collectOutput();
    bool namesOwned() const;
    QString nextFilePath();

    QTemporaryDir directory{QDir::tempPath() + QStringLiteral("/velin-sim-XXXXXX")};
    QProcess* process = nullptr;
    QDBusInterface* control = nullptr;
    QByteArray networks;
    bool hasNetworks = false;
    bool saveSettings = false;
    QStringList extraArguments;
    QByteArray output;
    int fileCounter = 0;
};

bool PlatformSimFixturePrivate::writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
        qWarning("PlatformSimFixture: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

void PlatformSimFixturePrivate::collectOutput()
{
    if (process)
        output += process->readAll();
}

bool PlatformSimFixturePrivate::namesOwned() const
{
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    if (!bus)
        return false;
    for (const QString& name : PlatformSimFixture::serviceNames()) {
        if (!bus->isServiceRegistered(name).value())
            return false;
    }
    return true;
}

QString PlatformSimFixturePrivate::nextFilePath()
{
    return directory.path() + QStringLiteral("/networks-%1.json").arg(++fileCounter);
}

PlatformSimFixture::PlatformSimFixture(QObject* parent)
    : QObject(parent)
    , d(new PlatformSimFixturePrivate)
{
    d->q = this;
    if (!d->directory.isValid())
        qWarning("PlatformSimFixture: cannot create a temporary directory");
}

PlatformSimFixture::~PlatformSimFixture()
{
    stop();
    delete d;
}

void PlatformSimFixture::setNetworks(const QByteArray& json)
{
    d->networks = json;
    d->hasNetworks = true;
}

QString PlatformSimFixture::networksPath() const
{
    return d->hasNetworks ? d->directory.path() + QStringLiteral("/networks.json") : QString();
}

void PlatformSimFixture::setSaveSettings(bool save)
{
    d->saveSettings = save;
}

void PlatformSimFixture::setExtraArguments(const QStringList& arguments)
{
    d->extraArguments = arguments;
}

bool PlatformSimFixture::start(int timeoutMs)
{
    if (isRunning())
        return true;
    const QString executable = program();
    if (executable.isEmpty()) {
        qWarning("PlatformSimFixture: velin-platform-sim was not built");
        return false;
    }
    PrivateBus* bus = PrivateBus::instance();
    const QString address = bus ? bus->address(PrivateBus::SystemBus)
                                : QString::fromLocal8Bit(qgetenv("DBUS_SYSTEM_BUS_ADDRESS"));
    if (address.isEmpty()) {
        qWarning("PlatformSimFixture: no private system bus (use VELIN_TEST_MAIN_WITH_BUS)");
        return false;
    }

    QStringList arguments = {QStringLiteral("--bus"), address, QStringLiteral("--exit-with-parent")};
    if (d->hasNetworks) {
        if (!d->writeFile(networksPath(), d->networks))
            return false;
        arguments << QStringLiteral("--networks") << networksPath();
    }
    if (d->saveSettings)
        arguments << QStringLiteral("--save-settings");
    arguments << d->extraArguments;

    delete d->control;
    d->control = nullptr;
    delete d->process;
    d->output.clear();
    d->process = new QProcess(this);
    d->process->setProcessChannelMode(QProcess::MergedChannels);
    connect(d->process, &QProcess::readyRead, this, [this]() { d->collectOutput(); });

    // The simulator owns the control name last; watched from before the
    // start, so the registration cannot slip by.
    QDBusServiceWatcher watcher(controlService, QDBusConnection::systemBus(),
                                QDBusServiceWatcher::WatchForRegistration);
    QEventLoop loop;
    connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
    connect(d->process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    connect(d->process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);

    d->process->start(executable, arguments);
    if (!d->namesOwned() && d->process->state() != QProcess::NotRunning)
        loop.exec();
    if (!d->namesOwned()) {
        if (d->process->state() != QProcess::NotRunning) {
            d->process->kill();
            d->process->waitForFinished(5000);
        }
        d->collectOutput();
        qWarning("PlatformSimFixture: the simulator did not come up (%s); it said:\n%s",
                 qPrintable(d->process->errorString()), d->output.constData());
        return false;
    }
    d->control = new QDBusInterface(controlService, controlPath, controlInterface, QDBusConnection::systemBus(), this);
    return true;
}

bool PlatformSimFixture::stop()
{
    delete d->control;
    d->control = nullptr;
    if (!d->process)
        return false;
    if (d->process->state() != QProcess::NotRunning) {
        d->process->terminate();
        if (!d->process->waitForFinished(5000)) {
            qWarning("PlatformSimFixture: the simulator ignored SIGTERM; killing it");
            d->process->kill();
            d->process->waitForFinished(5000);
        }
    }
    d->collectOutput();
    return d->process->exitStatus() == QProcess::NormalExit && d->process->exitCode() == 0;
}

bool PlatformSimFixture::isRunning() const
{
    return d->process && d->process->state() == QProcess::Running;
}

int PlatformSimFixture::exitCode() const
{
    if (!d->process || d->process->state() != QProcess::NotRunning || d->process->exitStatus() != QProcess::NormalExit)
        return -1;
    return d->process->exitCode();
}

QString PlatformSimFixture::log() const
{
    d->collectOutput();
    return QString::fromLocal8Bit(d->output);
}

QDBusInterface* PlatformSimFixture::control() const
{
    return d->control;
}

QDBusMessage PlatformSimFixture::callControl(const QString& method, const QList<QVariant>& arguments) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(controlService, controlPath, controlInterface, method);
    call.setArguments(arguments);
    return QDBusConnection::systemBus().call(call);
}

namespace {

bool succeeded(const QDBusMessage& reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    qWarning("PlatformSimFixture: %s: %s", qPrintable(reply.errorName()), qPrintable(reply.errorMessage()));
    return false;
}

} // namespace

bool PlatformSimFixture::setScanMode(const QString& mode)
{
    return succeeded(callControl(QStringLiteral("SetScanMode"), {mode}));
}

bool PlatformSimFixture::setScanDelay(uint milliseconds)
{
    return succeeded(callControl(QStringLiteral("SetScanDelay"), {milliseconds}));
}

bool PlatformSimFixture::setConnectDelay(uint milliseconds)
{
    return succeeded(callControl(QStringLiteral("SetConnectDelay"), {milliseconds}));
}

bool PlatformSimFixture::failNextConnection(const QString& reason)
{
    return succeeded(callControl(QStringLiteral("FailNextConnection"), {reason}));
}

bool PlatformSimFixture::dropLink()
{
    return succeeded(callControl(QStringLiteral("DropLink")));
}

bool PlatformSimFixture::announceWpsSuccess(const QStringList& ids)
{
    return succeeded(callControl(QStringLiteral("AnnounceWpsSuccess"), {ids}));
}

bool PlatformSimFixture::loadNetworks(const QByteArray& json)
{
    const QString path = d->nextFilePath();
    return d->writeFile(path, json) && succeeded(callControl(QStringLiteral("LoadNetworks"), {path}));
}

QStringList PlatformSimFixture::networks() const
{
    const QDBusMessage reply = callControl(QStringLiteral("Networks"));
    return succeeded(reply) ? reply.arguments().value(0).toStringList() : QStringList();
}

uint PlatformSimFixture::scanRequests() const
{
    const QDBusMessage reply = callControl(QStringLiteral("ScanRequests"));
    return succeeded(reply) ? reply.arguments().value(0).toUInt() : 0;
}

QString PlatformSimFixture::lastConnectId() const
{
    const QDBusMessage reply = callControl(QStringLiteral("ConnectRequests"));
    return succeeded(reply) ? reply.arguments().value(0).toString() : QString();
}

QString PlatformSimFixture::currentLink() const
{
    const QDBusMessage reply = callControl(QStringLiteral("CurrentLink"));
    return succeeded(reply) ? reply.arguments().value(0).toString() : QString();
}

QString PlatformSimFixture::program()
{
#ifdef VELIN_PLATFORM_SIM
    return QStringLiteral(VELIN_PLATFORM_SIM);
#else
    return QString();
#endif
}

QStringList PlatformSimFixture::serviceNames()
{
    return {QStringLiteral("com.qorva.skylard"), QStringLiteral("com.qorva.eap"), QStringLiteral("com.qorva.nexd2"),
            controlService};
}
