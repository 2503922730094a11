#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QString>

namespace Velin {

class InternetAccessPoint;

// Classifies a network's security from each form in which it arrives: the
// security property of an access point, the network attributes word of the
// framework's data list, or the capability word of a scan result. Also
// converts between the two words.
class VELINWLANUI_EXPORT WlanSecurity
{
public:
    // The values the classification returns. Every unknown form is Open.
    enum Method {
        Open = 1,
        Wep = 2,
        WpaPsk = 8,
        WpaEap = 0xFFF0,
        WapiPsk = 0x10000,
        WapiCertificate = 0x20000
    };

    // Bits of the capability word.
    enum CapabilityBits : uint {
        CapabilityModeMask = 0x7,
        CapabilitySecurityMask = 0xF0,
        CapabilityWpsMask = 0x1E00
    };

    WlanSecurity() = delete;

    static int securityFromNetworkCapability(uint capabilities);
    static int securityFromNetworkAttrs(uint attributes);
    // Exact, case-sensitive: "wpa_psk" is not WPA-PSK.
    static int securityFromString(const QString& security);
    // The "wlan_security" property when set, else entry 4 of the data list.
    static int securityFromIap(const InternetAccessPoint& iap);

    // The capability word that an attributes word stands for.
    static uint capabilityFromNetworkAttrs(uint attributes);
    // The attributes word for a capability word. The top byte belongs to the
    // framework, not to the scan: it is kept from replacedAttributes, the
    // word being replaced.
    static uint networkAttrsFromCapability(uint capabilities, uint replacedAttributes);
};

} // namespace Velin
