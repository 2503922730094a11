#include "net/platformdbus_p.h"

#include <QDBusConnection>
#include <QDBusMetaType>
#include <QStringList>
#include <QtDebug>

namespace Velin {

namespace PlatformDBus {

const char wlanService[] = "com.qorva.skylard";
const char wlanRequestPath[] = "/com/qorva/skylard/request";
const char wlanRequestInterface[] = "com.qorva.skylard.request";
const char wlanSignalPath[] = "/com/qorva/skylard/signal";
const char wlanSignalInterface[] = "com.qorva.skylard.signal";

const char connectivityService[] = "com.qorva.nexd2";
const char connectivityPath[] = "/com/qorva/nexd2";
const char connectivityInterface[] = "com.qorva.nexd2";

namespace {

bool isMarshallable(const QVariant& value)
{
    const int type = value.userType();
    if (type == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        for (const QVariant& item : list) {
            if (!isMarshallable(item))
                return false;
        }
        return true;
    }
    if (type == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (const QVariant& item : map) {
            if (!isMarshallable(item))
                return false;
        }
        return true;
    }
    return value.isValid() && QDBusMetaType::typeToSignature(type) != nullptr;
}

} // namespace

bool isIntegral(const QVariant& value)
{
    switch (int(value.userType())) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

QVariantMap marshallableProperties(const QMap<QString, QVariant>& properties, const QString& context)
{
    QVariantMap result;
    QStringList dropped;
    for (auto it = properties.constBegin(); it != properties.constEnd(); ++it) {
        if (isMarshallable(it.value()))
            result.insert(it.key(), it.value());
        else
            dropped.append(it.key());
    }
    // Keys only: the values may be secrets.
    if (!dropped.isEmpty())
        qWarning("Velin::%s: properties D-Bus cannot carry are left out: %s", qPrintable(context),
                 qPrintable(dropped.join(QLatin1String(", "))));
    return result;
}

bool parseConnectionState(const QList<QVariant>& arguments, ConnectionState* state, const char* context)
{
    if (arguments.size() != 3 || arguments.at(0).userType() != QMetaType::QString
        || arguments.at(1).userType() != QMetaType::QString || arguments.at(2).userType() != QMetaType::QString) {
        QStringList types;
        for (const QVariant& argument : arguments)
            types.append(QString::fromLatin1(argument.typeName() ? argument.typeName() : "?"));
        qWarning("Velin::%s: ignoring a connection_state signal with arguments (%s); expected three strings",
                 context, qPrintable(types.join(QLatin1String(", "))));
        return false;
    }
    state->id = arguments.at(0).toString();
    state->state = arguments.at(1).toString();
    state->reason = arguments.at(2).toString();
    return true;
}

bool connectSignal(const char* service, const char* path, const char* interface, const char* name,
                   QObject* receiver, const char* slot)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    return bus.connect(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                       QLatin1String(name), receiver, slot);
}

void disconnectSignal(const char* service, const char* path, const char* interface, const char* name,
                      QObject* receiver, const char* slot)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        bus.disconnect(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                       QLatin1String(name), receiver, slot);
}

QString errorReason(const QDBusMessage& reply)
{
    return reply.errorName().isEmpty() ? QStringLiteral("error") : reply.errorName();
}

} // namespace PlatformDBus

} // namespace Velin
