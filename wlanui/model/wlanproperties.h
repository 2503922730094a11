#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QString>

namespace Velin {

// The connectivity framework's names of access-point settings, and the values
// of the security setting. Every class uses these instead of writing keys.
//
// They are built when the library is loaded; code that runs during static
// initialisation of this library must not read them.
namespace WLANProperties {

VELINWLANUI_EXPORT extern const QString Name;
VELINWLANUI_EXPORT extern const QString Type;
VELINWLANUI_EXPORT extern const QString Ssid;
VELINWLANUI_EXPORT extern const QString Hidden;
VELINWLANUI_EXPORT extern const QString AutoConnect;
// The WEP key typed when connecting is stored as the first WEP key.
VELINWLANUI_EXPORT extern const QString Passphrase;
VELINWLANUI_EXPORT extern const QString WepKey1;
VELINWLANUI_EXPORT extern const QString WepKey2;
VELINWLANUI_EXPORT extern const QString WepKey3;
VELINWLANUI_EXPORT extern const QString WepKey4;
VELINWLANUI_EXPORT extern const QString EapWpaPassphrase;
VELINWLANUI_EXPORT extern const QString EapWpaKey;
VELINWLANUI_EXPORT extern const QString EapDefaultType;
VELINWLANUI_EXPORT extern const QString WepDefaultKeyIndex;
VELINWLANUI_EXPORT extern const QString Security;
VELINWLANUI_EXPORT extern const QString SecurityValueNone;
VELINWLANUI_EXPORT extern const QString SecurityValueWep;
VELINWLANUI_EXPORT extern const QString SecurityValueWpaPsk;
VELINWLANUI_EXPORT extern const QString SecurityValueWpaEap;
VELINWLANUI_EXPORT extern const QString SecurityValueWapiPsk;
VELINWLANUI_EXPORT extern const QString SecurityValueWapiCert;
VELINWLANUI_EXPORT extern const QString WapiKeyType;
VELINWLANUI_EXPORT extern const QString WpsMethod;
VELINWLANUI_EXPORT extern const QString WpsMethodValuePin;
VELINWLANUI_EXPORT extern const QString WpsMethodValuePushButton;

} // namespace WLANProperties

} // namespace Velin

// The framework's code names the constants without the Velin namespace.
namespace WLANProperties = Velin::WLANProperties;
