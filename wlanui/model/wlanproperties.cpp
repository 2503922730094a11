#include "wlanui/model/wlanproperties.h"

// Defined in one translation unit, in this order, so that they are built in
// this order when the library is loaded.
namespace Velin {
namespace WLANProperties {

const QString Name = QStringLiteral("name");
const QString Type = QStringLiteral("type");
const QString Ssid = QStringLiteral("wlan_ssid");
const QString Hidden = QStringLiteral("wlan_hidden");
const QString AutoConnect = QStringLiteral("autoconnect");
const QString Passphrase = QStringLiteral("wlan_wepkey1");
const QString WepKey1 = QStringLiteral("wlan_wepkey1");
const QString WepKey2 = QStringLiteral("wlan_wepkey2");
const QString WepKey3 = QStringLiteral("wlan_wepkey3");
const QString WepKey4 = QStringLiteral("wlan_wepkey4");
const QString EapWpaPassphrase = QStringLiteral("EAP_wpa_preshared_passphrase");
const QString EapWpaKey = QStringLiteral("EAP_wpa_preshared_key");
const QString EapDefaultType = QStringLiteral("EAP_default_type");
const QString WepDefaultKeyIndex = QStringLiteral("wlan_wepdefkey");
const QString Security = QStringLiteral("wlan_security");
const QString SecurityValueNone = QStringLiteral("NONE");
const QString SecurityValueWep = QStringLiteral("WEP");
const QString SecurityValueWpaPsk = QStringLiteral("WPA_PSK");
const QString SecurityValueWpaEap = QStringLiteral("WPA_EAP");
const QString SecurityValueWapiPsk = QStringLiteral("WAI_PSK");
const QString SecurityValueWapiCert = QStringLiteral("WAI_certificate");
const QString WapiKeyType = QStringLiteral("wapi_key_type");
const QString WpsMethod = QStringLiteral("wlan_wps_method");
const QString WpsMethodValuePin = QStringLiteral("pin");
const QString WpsMethodValuePushButton = QStringLiteral("pushbutton");

} // namespace WLANProperties
} // namespace Velin
