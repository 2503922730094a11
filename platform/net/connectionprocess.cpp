#include "net/connectionprocess.h"

#include "net/accesspointrecord_p.h"
#include "net/platformdbus_p.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QList>
#include <QTimer>
#include <QtDebug>

namespace Velin {

class ConnectionProcessPrivate : public QObject
{
    Q_OBJECT

public:
    explicit ConnectionProcessPrivate(ConnectionProcess* process)
        : QObject(process)
        , q(process)
        , outcomeTimer(new QTimer(this))
    {
        // A daemon that takes the request and then never reports must not
        // leave the attempt running for ever.
        outcomeTimer->setObjectName(QStringLiteral("connectionOutcomeTimeout"));
        outcomeTimer->setSingleShot(true);
        outcomeTimer->setInterval(OutcomeTimeoutMs);
        connect(outcomeTimer, &QTimer::timeout, this, [this] {
            qWarning("Velin::ConnectionProcess: no outcome for the connection attempt within %d s",
                     outcomeTimer->interval() / 1000);
            end(false, QStringLiteral("timeout"));
        });
    }
    ~ConnectionProcessPrivate() override
    {
        QObject::disconnect(propertyWatch);
        unsubscribe();
    }

    void subscribe();
    void unsubscribe();
    void end(bool success, const QString& reason);
    // Error signals leave start() before they are emitted.
    void failLater(const QString& reason);
    // Passes the current access point's properties on to the daemon while
    // the attempt runs: some (a WPS PIN) are only set once it has started.
    void sendPropertyUpdate();

    static const int OutcomeTimeoutMs = 60000;

    ConnectionProcess* const q;
    QTimer* const outcomeTimer;
    QList<InternetAccessPoint> queue;
    InternetAccessPoint current;
    bool running = false;
    // The daemon has reported this attempt as connecting.
    bool connecting = false;
    bool subscribed = false;
    quint64 attempt = 0;
    QMetaObject::Connection propertyWatch;

public Q_SLOTS:
    void onConnectionState(const QDBusMessage& message);
};

void ConnectionProcessPrivate::subscribe()
{
    if (!subscribed)
        subscribed = PlatformDBus::connectSignal(PlatformDBus::connectivityService, PlatformDBus::connectivityPath,
                                                 PlatformDBus::connectivityInterface, "connection_state", this,
                                                 SLOT(onConnectionState(QDBusMessage)));
}

void ConnectionProcessPrivate::unsubscribe()
{
    if (subscribed)
        PlatformDBus::disconnectSignal(PlatformDBus::connectivityService, PlatformDBus::connectivityPath,
                                       PlatformDBus::connectivityInterface, "connection_state", this,
                                       SLOT(onConnectionState(QDBusMessage)));
    subscribed = false;
}

void ConnectionProcessPrivate::end(bool success, const QString& reason)
{
    outcomeTimer->stop();
    QObject::disconnect(propertyWatch);
    running = false;
    current = InternetAccessPoint();
    ++attempt;
    Q_EMIT q->runningChanged(false);
    if (success)
        Q_EMIT q->finished();
    else
        Q_EMIT q->error(reason);
}

void ConnectionProcessPrivate::failLater(const QString& reason)
{
    QMetaObject::invokeMethod(this, [this, reason]() { Q_EMIT q->error(reason); }, Qt::QueuedConnection);
}

void ConnectionProcessPrivate::sendPropertyUpdate()
{
    if (!running)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::ConnectionProcess: the system bus is not connected; cannot pass on changed properties");
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(PlatformDBus::connectivityService), QLatin1String(PlatformDBus::connectivityPath),
        QLatin1String(PlatformDBus::connectivityInterface), QStringLiteral("update_properties"));
    message << current.id()
            << QVariant::fromValue(PlatformDBus::marshallableProperties(
                   InternetAccessPointPrivate::effectiveProperties(current), QStringLiteral("ConnectionProcess")));
    message.setAutoStartService(false);
    if (!bus.send(message))
        qWarning("Velin::ConnectionProcess: cannot pass on changed properties: %s",
                 qPrintable(bus.lastError().message()));
}

void ConnectionProcessPrivate::onConnectionState(const QDBusMessage& message)
{
    PlatformDBus::ConnectionState state;
    if (!PlatformDBus::parseConnectionState(message.arguments(), &state, "ConnectionProcess"))
        return;
    if (!running || state.id != current.id())
        return;
    if (state.state == QLatin1String("connected")) {
        end(true, QString());
    } else if (state.state == QLatin1String("failed")) {
        end(false, state.reason.isEmpty() ? QStringLiteral("failed") : state.reason);
    } else if (state.state == QLatin1String("connecting")) {
        connecting = true;
    } else if (state.state == QLatin1String("disconnected")) {
        // Before "connecting" it ends the link this attempt replaces; after
        // it, the attempt is over without a connection (a WPS exchange ends
        // so once it has handed out the network's settings).
        if (connecting)
            end(false, QStringLiteral("disconnected"));
    } else {
        qWarning("Velin::ConnectionProcess: unknown connection state \"%s\"", qPrintable(state.state));
    }
}

ConnectionProcess::ConnectionProcess(QObject* parent)
    : QObject(parent)
    , d(new ConnectionProcessPrivate(this))
{
}

ConnectionProcess::~ConnectionProcess() = default;

void ConnectionProcess::addInternetAccessPoint(const InternetAccessPoint& iap)
{
    if (!iap.isValid()) {
        qWarning("Velin::ConnectionProcess: an access point without id cannot be connected");
        return;
    }
    d->queue.append(iap);
}

int ConnectionProcess::queuedCount() const
{
    return d->queue.size();
}

bool ConnectionProcess::isRunning() const
{
    return d->running;
}

QString ConnectionProcess::currentId() const
{
    return d->running ? d->current.id() : QString();
}

void ConnectionProcess::start()
{
    if (d->running) {
        qWarning("Velin::ConnectionProcess: a connection attempt is already running");
        return;
    }
    if (d->queue.isEmpty()) {
        d->failLater(QStringLiteral("no access point"));
        return;
    }
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::ConnectionProcess: the system bus is not connected; cannot connect");
        d->failLater(QStringLiteral("no system bus"));
        return;
    }

    d->current = d->queue.takeFirst();
    d->running = true;
    d->connecting = false;
    const quint64 attempt = ++d->attempt;
    // Subscribed before asking, so that no state change can be missed.
    d->subscribe();

    // Defaults fill in what is unset: the daemon sees what property() reads.
    const QMap<QString, QVariant> properties = InternetAccessPointPrivate::effectiveProperties(d->current);

    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(PlatformDBus::connectivityService), QLatin1String(PlatformDBus::connectivityPath),
        QLatin1String(PlatformDBus::connectivityInterface), QStringLiteral("connect_req"));
    message << d->current.id()
            << QVariant::fromValue(PlatformDBus::marshallableProperties(properties, QStringLiteral("ConnectionProcess")));
    Q_EMIT runningChanged(true);
    d->outcomeTimer->start();

    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), d);
    // Changes made through any instance of the access point from now on go
    // after the request; the record (and its notifier) lives as long as current.
    d->propertyWatch = connect(InternetAccessPointPrivate::recordOf(d->current)->changeNotifier(),
                               &AccessPointRecordNotifier::propertiesChanged, d,
                               [this]() { d->sendPropertyUpdate(); });
    connect(watcher, &QDBusPendingCallWatcher::finished, d, [this, attempt](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusMessage reply = call->reply();
        if (reply.type() != QDBusMessage::ErrorMessage || attempt != d->attempt || !d->running)
            return;
        qWarning("Velin::ConnectionProcess: the connection request was refused: %s",
                 qPrintable(reply.errorName()));
        d->end(false, PlatformDBus::errorReason(reply));
    });
}

} // namespace Velin

#include "connectionprocess.moc"
