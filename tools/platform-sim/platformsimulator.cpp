#include "platformsimulator.h"

#include "connectivitydaemon.h"
#include "eapdaemon.h"
#include "networkcatalogue.h"
#include "settingswriter.h"
#include "simlog.h"
#include "simulatorcontrol.h"
#include "wlandaemon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>

namespace {

const QString connectionName = QStringLiteral("velin-platform-sim");

} // namespace

class PlatformSimulatorPrivate
{
public:
    bool fail(QString* error, const QString& text);

    PlatformSimulator* q = nullptr;
    QString address;
    uint scanDelay = WlanDaemon::defaultScanDelay;
    uint connectDelay = ConnectivityDaemon::defaultConnectDelay;
    uint pinWait = ConnectivityDaemon::defaultPinWait;
    NetworkCatalogue* catalogue = nullptr;
    SettingsWriter* writer = nullptr;
    WlanDaemon* wlan = nullptr;
    EapDaemon* eap = nullptr;
    ConnectivityDaemon* connectivity = nullptr;
    SimulatorControl* control = nullptr;
    QTimer* busCheck = nullptr;
    QStringList ownedNames;
    bool connected = false;
    bool running = false;
};

bool PlatformSimulatorPrivate::fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    q->stop();
    return false;
}

PlatformSimulator::PlatformSimulator(QObject* parent)
    : QObject(parent)
    , d(new PlatformSimulatorPrivate)
{
    d->q = this;
    d->catalogue = new NetworkCatalogue(this);
    d->writer = new SettingsWriter(this);
    d->busCheck = new QTimer(this);
    d->busCheck->setInterval(1000);
    connect(d->busCheck, &QTimer::timeout, this, [this]() {
        if (!QDBusConnection(connectionName).isConnected()) {
            d->busCheck->stop();
            Q_EMIT busLost();
        }
    });
}

PlatformSimulator::~PlatformSimulator()
{
    stop();
    delete d;
}

void PlatformSimulator::setBusAddress(const QString& address)
{
    d->address = address;
}

QString PlatformSimulator::busAddress() const
{
    return d->address;
}

void PlatformSimulator::setScanDelay(uint milliseconds)
{
    d->scanDelay = milliseconds;
    if (d->wlan)
        d->wlan->setScanDelay(milliseconds);
}

uint PlatformSimulator::scanDelay() const
{
    return d->scanDelay;
}

void PlatformSimulator::setConnectDelay(uint milliseconds)
{
    d->connectDelay = milliseconds;
    if (d->connectivity)
        d->connectivity->setConnectDelay(milliseconds);
}

uint PlatformSimulator::connectDelay() const
{
    return d->connectDelay;
}

void PlatformSimulator::setPinWait(uint milliseconds)
{
    d->pinWait = milliseconds;
    if (d->connectivity)
        d->connectivity->setPinWait(milliseconds);
}

uint PlatformSimulator::pinWait() const
{
    return d->pinWait;
}

void PlatformSimulator::setSaveSettings(bool save)
{
    d->writer->setEnabled(save);
}

bool PlatformSimulator::saveSettings() const
{
    return d->writer->isEnabled();
}

NetworkCatalogue* PlatformSimulator::catalogue() const
{
    return d->catalogue;
}

bool PlatformSimulator::start(QString* error)
{
    if (d->running)
        return true;
    const QDBusConnection connection = d->address.isEmpty()
        ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, connectionName)
        : QDBusConnection::connectToBus(d->address, connectionName);
    d->connected = true;
    if (!connection.isConnected()) {
        return d->fail(error, QStringLiteral("cannot connect to %1: %2")
                                  .arg(d->address.isEmpty() ? QStringLiteral("the system bus") : d->address,
                                       connection.lastError().message()));
    }

    d->wlan = new WlanDaemon(connection, d->catalogue, this);
    d->wlan->setScanDelay(d->scanDelay);
    d->eap = new EapDaemon(connection, this);
    d->connectivity = new ConnectivityDaemon(connection, d->catalogue, d->eap, d->writer, this);
    d->connectivity->setConnectDelay(d->connectDelay);
    d->connectivity->setPinWait(d->pinWait);
    d->control = new SimulatorControl(connection, d->catalogue, d->wlan, d->eap, d->connectivity, this);
    if (!d->wlan->registerObjects() || !d->connectivity->registerObjects() || !d->control->registerObjects())
        return d->fail(error, QStringLiteral("cannot register the objects: %1").arg(connection.lastError().message()));

    QDBusConnectionInterface* bus = connection.interface();
    for (const QString& name : {WlanDaemon::serviceName, EapDaemon::serviceName, ConnectivityDaemon::serviceName,
                                SimulatorControl::serviceName}) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            bus->registerService(name, QDBusConnectionInterface::DontQueueService,
                                 QDBusConnectionInterface::DontAllowReplacement);
        if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
            return d->fail(error, QStringLiteral("cannot own %1: %2")
                                      .arg(name, reply.isValid() ? QStringLiteral("it has an owner already")
                                                                 : reply.error().message()));
        }
        d->ownedNames.append(name);
    }
    d->running = true;
    d->busCheck->start();
    qCInfo(lcSim).noquote() << "serving" << d->ownedNames.join(QStringLiteral(", ")) << "with" << d->catalogue->count()
                            << "networks";
    Q_EMIT runningChanged(true);
    return true;
}

void PlatformSimulator::stop()
{
    if (!d->connected)
        return;
    QDBusConnection connection(connectionName);
    if (connection.isConnected()) {
        for (const QString& name : qAsConst(d->ownedNames))
            connection.interface()->unregisterService(name);
        for (const QString& path : {WlanDaemon::requestPath, ConnectivityDaemon::path, SimulatorControl::path})
            connection.unregisterObject(path);
    }
    d->ownedNames.clear();
    d->busCheck->stop();
    delete d->control;
    delete d->connectivity;
    delete d->eap;
    delete d->wlan;
    d->control = nullptr;
    d->connectivity = nullptr;
    d->eap = nullptr;
    d->wlan = nullptr;
    QDBusConnection::disconnectFromBus(connectionName);
    d->connected = false;
    if (d->running) {
        d->running = false;
        Q_EMIT runningChanged(false);
    }
}

bool PlatformSimulator::isRunning() const
{
    return d->running;
}
