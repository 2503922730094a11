#include "wlanui/model/wlansecurity.h"

#include "wlanui/model/wlanproperties.h"

#include "net/internetaccesspoint.h"

namespace Velin {

int WlanSecurity::securityFromNetworkCapability(uint capabilities)
{
    // The nibble is a value, not a set of flags: 0x70 and 0xB0 share bits
    // with WEP and WPA-PSK but name the WAPI methods.
    switch (capabilities & CapabilitySecurityMask) {
    case 0x20:
        return Wep;
    case 0x40:
        return WpaPsk;
    case 0x80:
        return WpaEap;
    case 0x70:
        return WapiPsk;
    case 0xB0:
        return WapiCertificate;
    default:
        return Open;
    }
}

int WlanSecurity::securityFromNetworkAttrs(uint attributes)
{
    return securityFromNetworkCapability(capabilityFromNetworkAttrs(attributes));
}

int WlanSecurity::securityFromString(const QString& security)
{
    if (security == WLANProperties::SecurityValueWep)
        return Wep;
    if (security == WLANProperties::SecurityValueWpaPsk)
        return WpaPsk;
    if (security == WLANProperties::SecurityValueWpaEap)
        return WpaEap;
    if (security == WLANProperties::SecurityValueWapiPsk)
        return WapiPsk;
    if (security == WLANProperties::SecurityValueWapiCert)
        return WapiCertificate;
    return Open;
}

int WlanSecurity::securityFromIap(const InternetAccessPoint& iap)
{
    const QVariant security = iap.property(WLANProperties::Security);
    if (security.isValid())
        return securityFromString(security.toString());
    const QList<QVariant> data = iap.data();
    if (data.size() > InternetAccessPoint::NetworkAttributesEntry)
        return securityFromNetworkAttrs(data.at(InternetAccessPoint::NetworkAttributesEntry).toUInt());
    return Open;
}

uint WlanSecurity::capabilityFromNetworkAttrs(uint attributes)
{
    return (attributes & 0x7u)
        | ((attributes & 0x78u) << 1)
        | ((attributes & 0x80u) << 1)
        | ((attributes & 0xF000u) >> 3)
        | ((attributes & 0xF00u) << 20)
        | ((attributes & 0x20000000u) >> 26);
}

uint WlanSecurity::networkAttrsFromCapability(uint capabilities, uint replacedAttributes)
{
    // Capability bit 3 is not carried back.
    return (capabilities & 0x7u)
        | ((capabilities & 0xF0u) >> 1)
        | ((capabilities & 0x100u) >> 1)
        | ((capabilities & 0x1E00u) << 3)
        | ((capabilities & 0xF0000000u) >> 20)
        | (replacedAttributes & 0xFF000000u);
}

} // namespace Velin
