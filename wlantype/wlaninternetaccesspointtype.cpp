#include "wlantype/wlaninternetaccesspointtype.h"

#include "wlantype/wlaninternetaccesspointeditorplugin.h"
#include "wlantype/wlaninternetaccesspointtype_p.h"

#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlansecurity.h"
#include "wlanui/model/wlanwpaeap.h"

#include "base/connectivitysettings.h"

#include <QHash>
#include <QMap>
#include <QtDebug>

namespace Velin {

namespace {

const char networkTypeInfra[] = "WLAN_INFRA";
const char networkTypeAdhoc[] = "WLAN_ADHOC";
const char networkTypeHidden[] = "WLAN_HIDDEN";
const char networkTypeNew[] = "WLAN_NEW";

const char wepImage[] = "icon-s-wlan-wep";
const char wpaImage[] = "icon-s-wlan-wpa";
const char bearerImage[] = "icon-m-common-wlan";

// Every method but open and WEP (WPA-PSK, WPA-EAP, both WAPI methods).
const uint wpaFamilyMethods = 0x000FFFF8;

InternetAccessPoint fixedEntry(const char* networkType, const QString& label)
{
    InternetAccessPoint iap;
    iap.setData({QString(QLatin1String("")), 0, QString(QLatin1String("")), QString(QLatin1String(networkType)),
                 0, label});
    return iap;
}

} // namespace

WLANInternetAccessPointType::WLANInternetAccessPointType(QObject* parent)
    : QObject(parent)
    , d(new WLANInternetAccessPointTypePrivate(this))
{
}

WLANInternetAccessPointType::~WLANInternetAccessPointType() = default;

QStringList WLANInternetAccessPointType::types() const
{
    static QStringList types;
    if (types.isEmpty()) {
        types << QLatin1String(networkTypeInfra) << QLatin1String(networkTypeAdhoc)
              << QLatin1String(networkTypeHidden) << QLatin1String(networkTypeNew);
    }
    return types;
}

QString WLANInternetAccessPointType::securityImageName(const QList<QVariant>& data) const
{
    QString serviceType, serviceId, networkType;
    uint serviceAttributes = 0, networkAttributes = 0;
    QByteArray networkId;
    if (!d->dataToVariables(data, serviceType, serviceAttributes, serviceId, networkType, networkAttributes,
                            networkId))
        return QString();

    const int method = WlanSecurity::securityFromNetworkAttrs(networkAttributes);
    if (method == WlanSecurity::Wep)
        return QLatin1String(wepImage);
    if (uint(method) & wpaFamilyMethods)
        return QLatin1String(wpaImage);
    // Open: no icon, but an answer (not a null string).
    return QString(QLatin1String(""));
}

QString WLANInternetAccessPointType::bearerImageName(const QList<QVariant>& data, int signalStrength) const
{
    if (signalStrength < 0)
        return QLatin1String(bearerImage);
    if (data.size() > InternetAccessPoint::NetworkTypeEntry) {
        // The fixed entries stand for no network in reach: no strength shown.
        const QString networkType = data.at(InternetAccessPoint::NetworkTypeEntry).toString();
        if (networkType == QLatin1String(networkTypeHidden) || networkType == QLatin1String(networkTypeNew))
            return QLatin1String(bearerImage);
    }

    int level = 1;
    if (signalStrength >= 1 && signalStrength <= 2)
        level = 2;
    else if (signalStrength >= 3 && signalStrength <= 4)
        level = 3;
    else if (signalStrength >= 5 && signalStrength <= 7)
        level = 4;
    else if (signalStrength >= 8 && signalStrength <= 10)
        level = 5;
    return QStringLiteral("%1-strength%2").arg(QLatin1String(bearerImage)).arg(level);
}

ScanResult WLANInternetAccessPointType::filterScanResult(const ScanResult& result) const
{
    QString serviceType, serviceId, networkType;
    uint serviceAttributes = 0, networkAttributes = 0;
    QByteArray networkId;
    if (!d->dataToVariables(result.configuration(), serviceType, serviceAttributes, serviceId, networkType,
                            networkAttributes, networkId))
        return ScanResult();

    // A single NUL is how a hidden network announces itself: nothing to show.
    if (networkId.isEmpty() || (networkId.size() == 1 && networkId.at(0) == '\0'))
        return ScanResult();
    // Saved networks always stay; an unsaved one only while it can be heard.
    if (!result.isSaved() && result.isFound() && result.signalStrength() <= 0)
        return ScanResult();
    return result;
}

bool WLANInternetAccessPointType::initializeInternetAccessPoint(InternetAccessPoint* iap)
{
    if (!iap) {
        qWarning("Velin::WLANInternetAccessPointType: initializeInternetAccessPoint called without an access point");
        return true;
    }

    QMap<QString, QVariant> defaults;
    defaults.insert(WLANProperties::Name, QString::fromUtf8(iap->property(WLANProperties::Ssid).toByteArray()));
    iap->setDefaults(defaults);

    // Keys older settings were saved under.
    QHash<QString, QString> aliases;
    aliases.insert(QStringLiteral("username"), QStringLiteral("EAP_MSCHAPV2_username"));
    aliases.insert(QStringLiteral("password"), QStringLiteral("EAP_MSCHAPV2_password"));
    aliases.insert(QStringLiteral("ask_password"), QStringLiteral("EAP_MSCHAPV2_password_prompt"));
    iap->setPropertyAliases(aliases);
    return true;
}

InternetAccessPoint WLANInternetAccessPointType::createInternetAccessPoint(const QList<QVariant>& data)
{
    return d->createInternetAccessPoint(data);
}

QList<InternetAccessPoint> WLANInternetAccessPointType::defaultConnections() const
{
    return {fixedEntry(networkTypeHidden, qtTrId("qtn_conn_other")),
            fixedEntry(networkTypeNew, qtTrId("qtn_conn_create_new"))};
}

InternetAccessPointEditorInterface* WLANInternetAccessPointType::editor(InternetAccessPoint* iap)
{
    return new WlanInternetAccessPointEditorPlugin(iap);
}

bool WLANInternetAccessPointType::isAutoconnectable(const ScanResult& result) const
{
    if (result.networkType() == QLatin1String(networkTypeAdhoc))
        return false;

    QByteArray id = result.id();
    const int nul = id.indexOf('\0');
    if (nul >= 0)
        id.truncate(nul);
    const ConnectivitySettings settings(ConnectivitySettings::WlanSettings, QString::fromLatin1(id));

    QMap<QString, QVariant> properties;
    for (const QString& key : {WLANProperties::Security, QStringLiteral("PEAP_tunneled_eap_type"),
                               QStringLiteral("EAP_MSCHAPV2_password_prompt"),
                               QStringLiteral("EAP_TLS_PEAP_client_certificate_file")})
        properties.insert(key, settings.get(key));

    return WlanWpaEap().isAutoConnectable(properties);
}

} // namespace Velin
