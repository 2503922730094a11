#include "dbusobject.h"

const QString DBusObject::unknownMethodError = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

class DBusObjectPrivate
{
public:
    DBusObject* q = nullptr;
    QString introspection;
    DBusObject::Handler handler;
};

DBusObject::DBusObject(const QString& introspection, const Handler& handler, QObject* parent)
    : QDBusVirtualObject(parent)
    , d(new DBusObjectPrivate{nullptr, introspection, handler})
{
    d->q = this;
}

DBusObject::~DBusObject()
{
    delete d;
}

bool DBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    Q_UNUSED(connection)
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    // Introspectable, Peer and Properties stay with Qt.
    if (message.interface().startsWith(QLatin1String("org.freedesktop.DBus.")))
        return false;
    d->handler(message);
    return true;
}

QString DBusObject::introspect(const QString& path) const
{
    Q_UNUSED(path)
    return d->introspection;
}

bool DBusObject::answer(const QDBusConnection& connection, const QDBusMessage& call, const QDBusMessage& answer)
{
    if (!call.isReplyRequired())
        return true;
    QDBusConnection bus(connection);
    return bus.send(answer);
}

bool DBusObject::answerUnknownMethod(const QDBusConnection& connection, const QDBusMessage& call)
{
    return answer(connection, call,
                  call.createErrorReply(unknownMethodError, QStringLiteral("No method %1.%2 (signature \"%3\") on %4")
                                                                .arg(call.interface(), call.member(), call.signature(),
                                                                     call.path())));
}
