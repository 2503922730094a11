#include "net/connectionwatcher.h"

#include "net/accesspointrecord_p.h"
#include "net/platformdbus_p.h"

#include <QDBusMessage>
#include <QtDebug>

namespace Velin {

class ConnectionWatcherPrivate : public QObject
{
    Q_OBJECT

public:
    ConnectionWatcherPrivate(ConnectionWatcher* watcher, const InternetAccessPoint& iap)
        : QObject(watcher)
        , q(watcher)
        , iap(iap)
    {
    }
    ~ConnectionWatcherPrivate() override
    {
        if (subscribed)
            PlatformDBus::disconnectSignal(PlatformDBus::connectivityService, PlatformDBus::connectivityPath,
                                           PlatformDBus::connectivityInterface, "connection_state", this,
                                           SLOT(onConnectionState(QDBusMessage)));
    }

    ConnectionWatcher* const q;
    const InternetAccessPoint iap;
    bool subscribed = false;

public Q_SLOTS:
    void onConnectionState(const QDBusMessage& message);
};

void ConnectionWatcherPrivate::onConnectionState(const QDBusMessage& message)
{
    PlatformDBus::ConnectionState state;
    if (!PlatformDBus::parseConnectionState(message.arguments(), &state, "ConnectionWatcher"))
        return;
    if (state.id.isEmpty() || state.id != iap.id())
        return;
    if (state.state == QLatin1String("connecting"))
        Q_EMIT q->connecting(iap);
    else if (state.state == QLatin1String("connected"))
        Q_EMIT q->connected(iap);
    else if (state.state == QLatin1String("disconnected") || state.state == QLatin1String("failed"))
        Q_EMIT q->disconnected(iap);
}

ConnectionWatcher::ConnectionWatcher(const InternetAccessPoint& iap, QObject* parent)
    : QObject(parent)
    , d(new ConnectionWatcherPrivate(this, iap))
{
    registerNetMetaTypes();
    if (!iap.isValid())
        qWarning("Velin::ConnectionWatcher: watching an access point without id; nothing will be reported");
    d->subscribed = PlatformDBus::connectSignal(PlatformDBus::connectivityService, PlatformDBus::connectivityPath,
                                                PlatformDBus::connectivityInterface, "connection_state", d,
                                                SLOT(onConnectionState(QDBusMessage)));
    if (!d->subscribed)
        qWarning("Velin::ConnectionWatcher: cannot listen to the connectivity daemon (no system bus)");
}

ConnectionWatcher::~ConnectionWatcher() = default;

InternetAccessPoint ConnectionWatcher::internetAccessPoint() const
{
    return d->iap;
}

QString ConnectionWatcher::id() const
{
    return d->iap.id();
}

} // namespace Velin

#include "connectionwatcher.moc"
