#include "fakedbusservice.h"

#include "base/dbusvalues.h"

#include <QAtomicInt>
#include <QDBusConnectionInterface>
#include <QDBusVirtualObject>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QThread>
#include <QtDebug>

namespace {

QAtomicInt connectionCounter;

// State shared by the test's thread and the service's thread.
struct ServiceState
{
    mutable QMutex mutex;
    QList<FakeDBusService::Call> calls;
    QHash<QString, FakeDBusService::Reply> replies;
    QHash<QString, FakeDBusService::Handler> handlers;
    QHash<QString, QString> introspection;
    FakeDBusService::Reply defaultReply;
};

class ServiceObject : public QDBusVirtualObject
{
public:
    ServiceObject(ServiceState* state, FakeDBusService* front)
        : state(state)
        , front(front)
    {
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

private:
    ServiceState* const state;
    const QPointer<FakeDBusService> front;
};

bool ServiceObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    // Introspection, Peer and Properties stay with Qt.
    if (message.interface().startsWith(QLatin1String("org.freedesktop.DBus.")))
        return false;

    FakeDBusService::Call call;
    call.path = message.path();
    call.interface = message.interface();
    call.member = message.member();
    call.signature = message.signature();
    call.arguments = Velin::DBusValues::plain(message.arguments());
    call.message = message;

    FakeDBusService::Handler handler;
    FakeDBusService::Reply reply;
    {
        QMutexLocker locker(&state->mutex);
        state->calls.append(call);
        handler = state->handlers.value(call.member);
        reply = state->replies.value(call.member, state->defaultReply);
    }
    if (handler)
        reply = handler(call);

    QDBusConnection bus(connection);
    switch (reply.kind) {
    case FakeDBusService::Reply::Arguments:
        bus.send(message.createReply(reply.arguments));
        break;
    case FakeDBusService::Reply::Error:
        bus.send(message.createErrorReply(reply.errorName, reply.errorMessage));
        break;
    case FakeDBusService::Reply::Silent:
        break;
    }

    if (FakeDBusService* target = front.data()) {
        const QString member = call.member;
        const QList<QVariant> arguments = call.arguments;
        QMetaObject::invokeMethod(
            target, [target, member, arguments]() { Q_EMIT target->callReceived(member, arguments); },
            Qt::QueuedConnection);
    }
    return true;
}

QString ServiceObject::introspect(const QString& path) const
{
    QMutexLocker locker(&state->mutex);
    return state->introspection.value(path);
}

} // namespace

class FakeDBusServicePrivate
{
public:
    FakeDBusService* q = nullptr;
    QString serviceName;
    QString connectionName;
    QDBusConnection connection{QString()};
    bool registered = false;
    ServiceState state;
    QThread thread;
    ServiceObject* object = nullptr;
};

FakeDBusService::Reply FakeDBusService::Reply::withArguments(const QList<QVariant>& arguments)
{
    Reply reply;
    reply.kind = Arguments;
    reply.arguments = arguments;
    return reply;
}

FakeDBusService::Reply FakeDBusService::Reply::error(const QString& name, const QString& message)
{
    Reply reply;
    reply.kind = Error;
    reply.errorName = name;
    reply.errorMessage = message;
    return reply;
}

FakeDBusService::Reply FakeDBusService::Reply::silent()
{
    Reply reply;
    reply.kind = Silent;
    return reply;
}

FakeDBusService::FakeDBusService(Bus bus, const QString& serviceName, QObject* parent)
    : QObject(parent)
    , d(new FakeDBusServicePrivate)
{
    d->q = this;
    d->serviceName = serviceName;
    d->connectionName = QStringLiteral("velin-fake-service-%1").arg(connectionCounter.fetchAndAddOrdered(1));
    d->connection = QDBusConnection::connectToBus(
        bus == SystemBus ? QDBusConnection::SystemBus : QDBusConnection::SessionBus, d->connectionName);
    if (!d->connection.isConnected()) {
        qWarning("FakeDBusService: cannot connect to the %s bus: %s", bus == SystemBus ? "system" : "session",
                 qPrintable(d->connection.lastError().message()));
        return;
    }

    d->thread.setObjectName(QStringLiteral("FakeDBusService ") + serviceName);
    d->object = new ServiceObject(&d->state, this);
    // Registered before it moves: the connection gives it helper children,
    // which move to the service's thread with it.
    if (!d->connection.registerVirtualObject(QStringLiteral("/"), d->object, QDBusConnection::SubPath)) {
        qWarning("FakeDBusService: cannot register the service object for %s", qPrintable(serviceName));
        return;
    }
    d->object->moveToThread(&d->thread);
    d->thread.start();
    d->registered = d->connection.registerService(serviceName);
    if (!d->registered)
        qWarning("FakeDBusService: cannot own %s: %s", qPrintable(serviceName),
                 qPrintable(d->connection.lastError().message()));
}

FakeDBusService::~FakeDBusService()
{
    if (d->connection.isConnected()) {
        if (d->registered)
            d->connection.unregisterService(d->serviceName);
        d->connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
    }
    QDBusConnection::disconnectFromBus(d->connectionName);
    d->thread.quit();
    d->thread.wait();
    delete d->object;
    delete d;
}

QString FakeDBusService::serviceName() const
{
    return d->serviceName;
}

QString FakeDBusService::uniqueName() const
{
    return d->connection.baseService();
}

bool FakeDBusService::isRegistered() const
{
    return d->registered;
}

QDBusConnection FakeDBusService::connection() const
{
    return d->connection;
}

void FakeDBusService::setReply(const QString& member, const QList<QVariant>& arguments)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.handlers.remove(member);
    d->state.replies.insert(member, Reply::withArguments(arguments));
}

void FakeDBusService::setError(const QString& member, const QString& errorName, const QString& errorMessage)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.handlers.remove(member);
    d->state.replies.insert(member, Reply::error(errorName, errorMessage));
}

void FakeDBusService::setSilent(const QString& member)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.handlers.remove(member);
    d->state.replies.insert(member, Reply::silent());
}

void FakeDBusService::setHandler(const QString& member, const Handler& handler)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.replies.remove(member);
    d->state.handlers.insert(member, handler);
}

void FakeDBusService::setDefaultReply(const Reply& reply)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.defaultReply = reply;
}

void FakeDBusService::setIntrospection(const QString& path, const QString& interfacesXml)
{
    QMutexLocker locker(&d->state.mutex);
    d->state.introspection.insert(path, interfacesXml);
}

QList<FakeDBusService::Call> FakeDBusService::calls() const
{
    QMutexLocker locker(&d->state.mutex);
    return d->state.calls;
}

QList<FakeDBusService::Call> FakeDBusService::calls(const QString& member) const
{
    QList<Call> result;
    const QList<Call> all = calls();
    for (const Call& call : all) {
        if (call.member == member)
            result.append(call);
    }
    return result;
}

int FakeDBusService::callCount() const
{
    QMutexLocker locker(&d->state.mutex);
    return d->state.calls.size();
}

int FakeDBusService::callCount(const QString& member) const
{
    return calls(member).size();
}

FakeDBusService::Call FakeDBusService::lastCall() const
{
    QMutexLocker locker(&d->state.mutex);
    return d->state.calls.isEmpty() ? Call() : d->state.calls.constLast();
}

void FakeDBusService::clearCalls()
{
    QMutexLocker locker(&d->state.mutex);
    d->state.calls.clear();
}

bool FakeDBusService::answer(const Call& call, const QList<QVariant>& arguments)
{
    return d->connection.send(call.message.createReply(arguments));
}

bool FakeDBusService::answerWithError(const Call& call, const QString& errorName, const QString& errorMessage)
{
    return d->connection.send(call.message.createErrorReply(errorName, errorMessage));
}

bool FakeDBusService::emitSignal(const QString& path, const QString& interface, const QString& name,
                                 const QList<QVariant>& arguments)
{
    QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
    message.setArguments(arguments);
    if (!d->connection.send(message)) {
        qWarning("FakeDBusService: cannot send %s.%s: %s", qPrintable(interface), qPrintable(name),
                 qPrintable(d->connection.lastError().message()));
        return false;
    }
    // A round trip to the bus on the same connection: the bus handles a
    // connection's messages in order, so the signal has been routed.
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    return d->connection.call(ping).type() == QDBusMessage::ReplyMessage;
}
