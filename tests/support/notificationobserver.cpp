#include "notificationobserver.h"

#include "fakedbusservice.h"

#include <QDBusMessage>
#include <QMutex>
#include <QMutexLocker>

namespace {

const char serviceName[] = "org.freedesktop.Notifications";
const char servicePath[] = "/org/freedesktop/Notifications";

} // namespace

class NotificationObserverPrivate
{
public:
    // Declared before the service: handlers running in the service's thread
    // use these until the service is gone.
    mutable QMutex mutex;
    QList<NotificationObserver::Notification> notifications;
    QList<uint> closed;
    uint lastId = 0;
    FakeDBusService* service = nullptr;
};

NotificationObserver::NotificationObserver(QObject* parent)
    : QObject(parent)
    , d(new NotificationObserverPrivate)
{
    d->service = new FakeDBusService(FakeDBusService::SessionBus, QLatin1String(serviceName), this);
    FakeDBusService* service = d->service;
    NotificationObserverPrivate* state = d;

    service->setHandler(QStringLiteral("Notify"), [state, this](const FakeDBusService::Call& call) {
        const QList<QVariant>& a = call.arguments;
        if (call.signature != QLatin1String("susssasa{sv}i"))
            return FakeDBusService::Reply::error(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
                                                 QStringLiteral("Notify takes (susssasa{sv}i), not (%1)")
                                                     .arg(call.signature));
        Notification notification;
        notification.appName = a.at(0).toString();
        notification.replacesId = a.at(1).toUInt();
        notification.icon = a.at(2).toString();
        notification.summary = a.at(3).toString();
        notification.body = a.at(4).toString();
        notification.actions = a.at(5).toStringList();
        notification.hints = a.at(6).toMap();
        notification.expireTimeout = a.at(7).toInt();
        {
            QMutexLocker locker(&state->mutex);
            notification.id = notification.replacesId ? notification.replacesId : ++state->lastId;
            state->notifications.append(notification);
        }
        const uint id = notification.id;
        QMetaObject::invokeMethod(this, [this, id]() { Q_EMIT notificationReceived(id); }, Qt::QueuedConnection);
        return FakeDBusService::Reply::withArguments({QVariant::fromValue(id)});
    });

    service->setHandler(QStringLiteral("GetCapabilities"), [](const FakeDBusService::Call&) {
        const QStringList capabilities = {QStringLiteral("body"), QStringLiteral("icon-static")};
        return FakeDBusService::Reply::withArguments({capabilities});
    });

    service->setHandler(QStringLiteral("GetServerInformation"), [](const FakeDBusService::Call&) {
        return FakeDBusService::Reply::withArguments({QStringLiteral("velin-test-notifications"),
                                                      QStringLiteral("velin"), QStringLiteral("1.0"),
                                                      QStringLiteral("1.2")});
    });

    service->setHandler(QStringLiteral("CloseNotification"), [state, service](const FakeDBusService::Call& call) {
        const uint id = call.arguments.value(0).toUInt();
        {
            QMutexLocker locker(&state->mutex);
            state->closed.append(id);
        }
        // reason 3: closed by a call to CloseNotification
        QDBusMessage closed = QDBusMessage::createSignal(QLatin1String(servicePath), QLatin1String(serviceName),
                                                         QStringLiteral("NotificationClosed"));
        closed << id << uint(3);
        service->connection().send(closed);
        return FakeDBusService::Reply::withArguments({});
    });
}

NotificationObserver::~NotificationObserver()
{
    delete d->service; // stops the service's thread before the state goes
    delete d;
}

bool NotificationObserver::isRegistered() const
{
    return d->service->isRegistered();
}

QList<NotificationObserver::Notification> NotificationObserver::notifications() const
{
    QMutexLocker locker(&d->mutex);
    return d->notifications;
}

int NotificationObserver::count() const
{
    QMutexLocker locker(&d->mutex);
    return d->notifications.size();
}

NotificationObserver::Notification NotificationObserver::last() const
{
    QMutexLocker locker(&d->mutex);
    return d->notifications.isEmpty() ? Notification() : d->notifications.constLast();
}

QList<uint> NotificationObserver::closedIds() const
{
    QMutexLocker locker(&d->mutex);
    return d->closed;
}

void NotificationObserver::clear()
{
    QMutexLocker locker(&d->mutex);
    d->notifications.clear();
    d->closed.clear();
}
