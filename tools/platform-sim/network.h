#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

// One simulated access point as the data file describes it. The capability
// and attributes words are what "scan_results" reports; behaviour (WPS,
// ad hoc, hidden) follows the flags, not the words, so a data file may give
// the words any value for a test.
struct Network
{
    enum Security { Open, Wep, WpaPsk, WpaEap, WapiPsk, WapiCertificate };

    // Capability word bits (docs/dbus.md).
    static constexpr quint32 Infrastructure = 0x1;
    static constexpr quint32 AdHoc = 0x2;
    static constexpr quint32 SecurityMask = 0xF0;
    static constexpr quint32 WpsMask = 0x1E00;

    QByteArray ssid;
    QString bssid;
    int level = -60;
    Security security = Open;
    QVariantMap credentials; // property key -> value a connection must present
    bool wps = false;
    bool adhoc = false;
    bool hidden = false;
    quint32 capability = 0;
    quint32 attributes = 0;

    // The SSID as text, the way access-point ids are formed: its bytes as Latin-1.
    QString id() const;
    // Whether a connect_req id names this network (Latin-1 or UTF-8 reading).
    bool hasId(const QString& id) const;
    // "WLAN_INFRA", "WLAN_ADHOC" or "WLAN_HIDDEN".
    QString networkType() const;

    // The words a network reports unless the data file overrides them.
    quint32 derivedCapability() const;
    static quint32 securityNibble(Security security);
    // The attributes word the framework keeps for a capability word.
    static quint32 attributesFromCapability(quint32 capability);

    // "NONE", "WEP", "WPA_PSK", "WPA_EAP", "WAI_PSK", "WAI_certificate".
    static QString securityName(Security security);
    static bool securityFromName(const QString& name, Security* security);
};
