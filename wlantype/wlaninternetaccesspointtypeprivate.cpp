#include "wlantype/wlaninternetaccesspointtype_p.h"

#include "wlantype/wlaninternetaccesspointtype.h"

#include <QtDebug>

namespace Velin {

namespace {

const int dataListSize = InternetAccessPoint::DataEntryCount;

const char* typeNameOf(const QVariant& value)
{
    return value.typeName() ? value.typeName() : "invalid value";
}

QString textEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    if (!entry.canConvert<QString>())
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a string", index,
                 typeNameOf(entry));
    return entry.toString();
}

uint wordEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    bool ok = false;
    const uint word = entry.toUInt(&ok);
    if (!ok)
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a number", index,
                 typeNameOf(entry));
    return word;
}

QByteArray idEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    // Scanned networks carry the SSID bytes, the fixed entries their label.
    if (entry.userType() != QMetaType::QByteArray && entry.userType() != QMetaType::QString)
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a network id", index,
                 typeNameOf(entry));
    return entry.toByteArray();
}

} // namespace

WLANInternetAccessPointTypePrivate::WLANInternetAccessPointTypePrivate(WLANInternetAccessPointType* type)
    : QObject(type)
    , q(type)
{
}

WLANInternetAccessPointTypePrivate::~WLANInternetAccessPointTypePrivate() = default;

bool WLANInternetAccessPointTypePrivate::dataToVariables(const QList<QVariant>& data, QString& serviceType,
                                                         uint& serviceAttributes, QString& serviceId,
                                                         QString& networkType, uint& networkAttributes,
                                                         QByteArray& networkId) const
{
    if (data.size() != dataListSize) {
        qWarning("Velin::WLANInternetAccessPointType: a data list has %d entries, not %d", data.size(),
                 dataListSize);
        return false;
    }

    serviceType = textEntry(data, InternetAccessPoint::ServiceTypeEntry);
    serviceAttributes = wordEntry(data, InternetAccessPoint::ServiceAttributesEntry);
    serviceId = textEntry(data, InternetAccessPoint::ServiceIdEntry);
    networkType = textEntry(data, InternetAccessPoint::NetworkTypeEntry);
    networkAttributes = wordEntry(data, InternetAccessPoint::NetworkAttributesEntry);
    networkId = idEntry(data, InternetAccessPoint::NetworkIdEntry);

    if (!q->types().contains(networkType)) {
        qWarning("Velin::WLANInternetAccessPointType: \"%s\" is not a WLAN network type", qPrintable(networkType));
        return false;
    }
    return true;
}

InternetAccessPoint WLANInternetAccessPointTypePrivate::createInternetAccessPoint(const QList<QVariant>& data)
{
    Q_UNUSED(data)
    // Connection preparation (credential sheets, hidden networks, WPS) is not
    // built yet: an empty access point tells the framework "cancelled".
    qWarning("Velin::WLANInternetAccessPointType: connection preparation is not available");
    return InternetAccessPoint();
}

} // namespace Velin
