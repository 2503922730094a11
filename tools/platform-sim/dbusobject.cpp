#include "dbusobject.h"

const QString DBusObject::unknownMethodError = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

class DBusObjectPrivate
{
public:
    QString introspection;
    DBusObject::Handler handler;
};

DBusObject::DBusObject(const QString& introspection, const Handler& handler, QObject* parent)
    : QDBusVirtualObject(parent)
    , d(new DBusObjectPrivate{introspection, handler})
{
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
