#include "network.h"

namespace {

struct SecurityEntry
{
    Network::Security security;
    const char* name;
    quint32 nibble;
};

const SecurityEntry securityTable[] = {
    {Network::Open, "NONE", 0x00},
    {Network::Wep, "WEP", 0x20},
    {Network::WpaPsk, "WPA_PSK", 0x40},
    {Network::WpaEap, "WPA_EAP", 0x80},
    {Network::WapiPsk, "WAI_PSK", 0x70},
    {Network::WapiCertificate, "WAI_certificate", 0xB0},
};

} // namespace

QString Network::id() const
{
    return QString::fromLatin1(ssid);
}

bool Network::hasId(const QString& text) const
{
    if (text.isEmpty())
        return false;
    return text == id() || text.toUtf8() == ssid;
}

QString Network::networkType() const
{
    if (adhoc)
        return QStringLiteral("WLAN_ADHOC");
    if (hidden)
        return QStringLiteral("WLAN_HIDDEN");
    return QStringLiteral("WLAN_INFRA");
}

quint32 Network::derivedCapability() const
{
    quint32 word = adhoc ? AdHoc : Infrastructure;
    word |= securityNibble(security);
    if (wps)
        word |= WpsMask;
    return word;
}

quint32 Network::securityNibble(Security security)
{
    for (const SecurityEntry& entry : securityTable) {
        if (entry.security == security)
            return entry.nibble;
    }
    return 0;
}

quint32 Network::attributesFromCapability(quint32 c)
{
    quint32 a = c & 0x7;                // mode bits 0-2 stay
    a |= ((c >> 4) & 0xF) << 3;         // security nibble: C 4-7 -> A 3-6
    a |= ((c >> 8) & 0x1) << 7;         // C 8 -> A 7
    a |= ((c >> 9) & 0xF) << 12;        // WPS bits: C 9-12 -> A 12-15
    a |= ((c >> 28) & 0xF) << 8;        // C 28-31 -> A 8-11
    a |= ((c >> 3) & 0x1) << 29;        // C 3 -> A 29
    return a;
}

QString Network::securityName(Security security)
{
    for (const SecurityEntry& entry : securityTable) {
        if (entry.security == security)
            return QLatin1String(entry.name);
    }
    return QString();
}

bool Network::securityFromName(const QString& name, Security* security)
{
    for (const SecurityEntry& entry : securityTable) {
        if (name == QLatin1String(entry.name)) {
            *security = entry.security;
            return true;
        }
    }
    return false;
}
