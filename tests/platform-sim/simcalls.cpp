#include "simcalls.h"

#include <QDBusConnection>

namespace SimCalls {

const QString wlanService = QStringLiteral("com.qorva.skylard");
const QString wlanRequestPath = QStringLiteral("/com/qorva/skylard/request");
const QString wlanRequestInterface = QStringLiteral("com.qorva.skylard.request");
const QString wlanSignalPath = QStringLiteral("/com/qorva/skylard/signal");
const QString wlanSignalInterface = QStringLiteral("com.qorva.skylard.signal");
const QString eapSignalPath = QStringLiteral("/com/qorva/eap/signal");
const QString eapSignalInterface = QStringLiteral("com.qorva.eap.signal");
const QString connectivityService = QStringLiteral("com.qorva.nexd2");
const QString connectivityPath = QStringLiteral("/com/qorva/nexd2");
const QString connectivityInterface = QStringLiteral("com.qorva.nexd2");

QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& member,
                  const QList<QVariant>& arguments, int timeoutMs)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, member);
    message.setArguments(arguments);
    return QDBusConnection::systemBus().call(message, QDBus::Block, timeoutMs);
}

QDBusMessage scan(int power, const QByteArray& ssid, int timeoutMs)
{
    return call(wlanService, wlanRequestPath, wlanRequestInterface, QStringLiteral("scan"), {power, ssid}, timeoutMs);
}

QDBusMessage connectRequest(const QString& id, const QVariantMap& properties)
{
    return call(connectivityService, connectivityPath, connectivityInterface, QStringLiteral("connect_req"),
                {id, properties});
}

QDBusMessage updateProperties(const QString& id, const QVariantMap& properties)
{
    return call(connectivityService, connectivityPath, connectivityInterface, QStringLiteral("update_properties"),
                {id, properties});
}

QDBusMessage disconnectRequest(uint flags)
{
    return call(connectivityService, connectivityPath, connectivityInterface, QStringLiteral("disconnect_req"),
                {flags});
}

bool parseScanResults(const QDBusMessage& message, QList<ScanEntry>* entries)
{
    entries->clear();
    const QList<QVariant> arguments = message.arguments();
    if (arguments.isEmpty() || arguments.at(0).userType() != QMetaType::Int)
        return false;
    const int count = arguments.at(0).toInt();
    if (count < 0 || arguments.size() != 1 + 5 * count)
        return false;
    QString expectedSignature = QStringLiteral("i");
    for (int i = 0; i < count; ++i)
        expectedSignature += QStringLiteral("aysiuu");
    if (message.signature() != expectedSignature)
        return false;
    for (int i = 0; i < count; ++i) {
        const int base = 1 + 5 * i;
        ScanEntry entry;
        entry.ssid = arguments.at(base).toByteArray();
        entry.bssid = arguments.at(base + 1).toString();
        entry.level = arguments.at(base + 2).toInt();
        entry.attributes = arguments.at(base + 3).toUInt();
        entry.capability = arguments.at(base + 4).toUInt();
        entries->append(entry);
    }
    return true;
}

QList<QByteArray> ssids(const QList<ScanEntry>& entries)
{
    QList<QByteArray> result;
    for (const ScanEntry& entry : entries)
        result.append(entry.ssid);
    return result;
}

} // namespace SimCalls
