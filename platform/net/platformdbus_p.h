#pragma once

#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class QObject;

namespace Velin {

// Names of the platform daemons on the system bus (docs/dbus.md).
namespace PlatformDBus {

extern const char wlanService[];
extern const char wlanRequestPath[];
extern const char wlanRequestInterface[];
extern const char wlanSignalPath[];
extern const char wlanSignalInterface[];

extern const char connectivityService[];
extern const char connectivityPath[];
extern const char connectivityInterface[];

const uint dropWlanConnection = 0x8000;

// The properties that D-Bus can carry, as a{sv}; keys of values it cannot
// carry are named in a warning (values never are) and left out.
QVariantMap marshallableProperties(const QMap<QString, QVariant>& properties, const QString& context);

// A "connection_state" signal, read defensively (false, with a warning, for
// wrong arguments).
struct ConnectionState
{
    QString id;
    QString state;
    QString reason;
};
bool parseConnectionState(const QList<QVariant>& arguments, ConnectionState* state, const char* context);

bool isIntegral(const QVariant& value);

// Subscribes receiver's slot (a SLOT() signature taking a QDBusMessage) to
// one signal of a daemon on the system bus; false when there is no bus.
bool connectSignal(const char* service, const char* path, const char* interface, const char* name,
                   QObject* receiver, const char* slot);
void disconnectSignal(const char* service, const char* path, const char* interface, const char* name,
                      QObject* receiver, const char* slot);

// The name of an error reply, for error signals.
QString errorReason(const QDBusMessage& reply);

} // namespace PlatformDBus

} // namespace Velin
