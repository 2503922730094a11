#include "wlantype/wlaninternetaccesspointeditorplugin.h"

#include "wlanui/editor/eapeditwidget.h"
#include "wlanui/editor/otheradvancedsettingswidget.h"
#include "wlanui/editor/wepkeyseditwidget.h"
#include "wlanui/editor/wlanconnectionsettingwidget.h"
#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlansecurity.h"
#include "wlanui/model/wlanwpaeap.h"

#include "base/propertyeditormanager.h"
#include "base/simpleinformationbanner.h"
#include "net/internetaccesspoint.h"

#include <QGraphicsWidget>
#include <QMap>
#include <QPointer>
#include <QRegExp>
#include <QStringList>
#include <QVariant>
#include <QtDebug>

namespace Velin {

namespace {

const char networkTypeNew[] = "WLAN_NEW";
const char networkTypeInfra[] = "WLAN_INFRA";
const int bannerMilliseconds = 3000;

// Every key the editor pages handle, in the order they are loaded.
const char* const editedKeys[] = {
    "name", "wlan_ssid", "type", "wlan_hidden", "wlan_security", "wlan_wepkey1", "wlan_wepkey2",
    "wlan_wepkey3", "wlan_wepkey4", "wlan_wepdefkey", "autoconnect", "wapi_key_type",
    "EAP_wpa_preshared_passphrase", "EAP_wpa_preshared_key", "EAP_default_type", "PEAP_tunneled_eap_type",
    "EAP_MSCHAPV2_username", "EAP_MSCHAPV2_password", "EAP_MSCHAPV2_password_prompt", "EAP_GTC_identity",
    "EAP_GTC_passcode", "EAP_TLS_PEAP_client_certificate_file", "EAP_use_manual_username",
    "EAP_manual_username", "TLS_server_authenticates_client_policy_in_client", "wlan_powersave",
    "wlan_adhoc_channel", "EAP_wpa2_only_mode", "WAPI_EC_CS_selected_ca_subject_common_name",
    "WAPI_EC_CS_selected_client_subject_common_name"};

// The default WEP key's number. The security page edits the first key for
// any number outside 1..4, so validation and the mandatory check do too.
int defaultWepKey(const QMap<QString, QVariant>& properties)
{
    const int key = properties.value(WLANProperties::WepDefaultKeyIndex).toInt();
    return key >= 1 && key <= 4 ? key : 1;
}

QString wepKeyName(int number)
{
    return QStringLiteral("wlan_wepkey%1").arg(number);
}

// Strict: 1 and "1" differ, as they do for the manager.
bool identical(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.userType() == b.userType() && a == b;
}

bool identical(const QMap<QString, QVariant>& a, const QMap<QString, QVariant>& b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (!identical(it.value(), b.value(it.key())))
            return false;
    }
    return true;
}

} // namespace

class WLANInternetAccessPointEditorPluginPrivate
{
public:
    explicit WLANInternetAccessPointEditorPluginPrivate(WlanInternetAccessPointEditorPlugin* plugin,
                                                       InternetAccessPoint* accessPoint)
        : q(plugin)
        , iap(accessPoint)
    {
    }

    int validationError(const QString& message, bool silent, const QString& key) const;
    int validateName(const QMap<QString, QVariant>& properties, bool silent) const;
    int validateSsid(const QMap<QString, QVariant>& properties, bool silent) const;
    int validateWpaPsk(const QMap<QString, QVariant>& properties, bool silent) const;
    int validateWepKeys(const QMap<QString, QVariant>& properties, bool silent, bool skipDefaultKey) const;

    WlanInternetAccessPointEditorPlugin* const q;
    InternetAccessPoint* iap;
    QPointer<WlanConnectionSettingWidget> editorWidget;
    QPointer<WepKeysEditWidget> wepKeysWidget;
    QPointer<EapEditWidget> eapWidget;
    QPointer<OtherAdvancedSettingsWidget> otherAdvancedWidget;
    PropertyEditorManager* manager = nullptr;
    bool mandatoryValuesProvided = false;
    QMap<QString, QVariant> propertyBackup;
};

int WLANInternetAccessPointEditorPluginPrivate::validationError(const QString& message, bool silent,
                                                                const QString& key) const
{
    if (silent)
        return InternetAccessPointEditorInterface::InvalidSilent;
    SimpleInformationBanner::show(message, bannerMilliseconds);
    if (manager && !key.isEmpty()) {
        if (QGraphicsWidget* editor = manager->widgetForProperty(key))
            editor->setFocus(Qt::OtherFocusReason);
    }
    return InternetAccessPointEditorInterface::InvalidReported;
}

int WLANInternetAccessPointEditorPluginPrivate::validateName(const QMap<QString, QVariant>& properties,
                                                             bool silent) const
{
    if (properties.value(WLANProperties::Name).toString().trimmed().isEmpty())
        return validationError(qtTrId("qtn_conn_error_ic_empty_name"), silent, WLANProperties::Name);
    return InternetAccessPointEditorInterface::Valid;
}

int WLANInternetAccessPointEditorPluginPrivate::validateSsid(const QMap<QString, QVariant>& properties,
                                                             bool silent) const
{
    if (properties.value(WLANProperties::Ssid).toString().isEmpty())
        return validationError(qtTrId("qtn_conn_error_enter_ssid"), silent, WLANProperties::Ssid);
    return InternetAccessPointEditorInterface::Valid;
}

int WLANInternetAccessPointEditorPluginPrivate::validateWpaPsk(const QMap<QString, QVariant>& properties,
                                                               bool silent) const
{
    // A passphrase or a stored key of full length is enough.
    const QString passphrase = properties.value(WLANProperties::EapWpaPassphrase).toString();
    const QString key = properties.value(WLANProperties::EapWpaKey).toString();
    if (passphrase.length() <= 7 && key.length() <= 7)
        return validationError(qtTrId("qtn_conn_error_at_least_8_chars"), silent,
                               WLANProperties::EapWpaPassphrase);
    return InternetAccessPointEditorInterface::Valid;
}

int WLANInternetAccessPointEditorPluginPrivate::validateWepKeys(const QMap<QString, QVariant>& properties,
                                                                bool silent, bool skipDefaultKey) const
{
    static const QRegExp notHex(QStringLiteral("[^0-9a-fA-F]"));
    const int defaultKey = defaultWepKey(properties);
    for (int number = 1; number <= 4; ++number) {
        if (skipDefaultKey && number == defaultKey)
            continue;
        const QString keyName = wepKeyName(number);
        const QString key = properties.value(keyName).toString();
        switch (key.length()) {
        case 0:
            // Only the key that is used must be there.
            if (number == defaultKey)
                return validationError(qtTrId("qtn_conn_error_invalid_wep_length"), silent, keyName);
            break;
        case 5:
        case 13:
            break;
        case 10:
        case 26:
            if (key.contains(notHex))
                return validationError(qtTrId("qtn_conn_error_invalid_chars_wep"), silent, keyName);
            break;
        default:
            return validationError(qtTrId("qtn_conn_error_invalid_wep_length"), silent, keyName);
        }
    }
    return InternetAccessPointEditorInterface::Valid;
}

WlanInternetAccessPointEditorPlugin::WlanInternetAccessPointEditorPlugin(InternetAccessPoint* iap)
    : InternetAccessPointEditorInterface(nullptr)
    , d(new WLANInternetAccessPointEditorPluginPrivate(this, iap))
{
    QMap<QString, QVariant> properties;
    if (!iap) {
        qWarning("Velin::WlanInternetAccessPointEditorPlugin: created without an access point");
    } else if (iap->type() == QLatin1String(networkTypeNew)) {
        // Nothing to read yet: the user enters the network by hand.
        properties.insert(WLANProperties::Name, QString());
        properties.insert(WLANProperties::Ssid, QByteArray(""));
        properties.insert(WLANProperties::Type, QString::fromLatin1(networkTypeInfra));
        properties.insert(WLANProperties::AutoConnect, false);
        properties.insert(WLANProperties::Security, WLANProperties::SecurityValueNone);
        properties.insert(WLANProperties::WepDefaultKeyIndex, 1);
    } else {
        for (const char* key : editedKeys) {
            const QString name = QLatin1String(key);
            const QVariant value = iap->property(name);
            if (value.isValid())
                properties.insert(name, value);
            else if (name == WLANProperties::AutoConnect)
                properties.insert(name, false);
        }
    }

    d->manager = new PropertyEditorManager(properties, this);
    connect(d->manager, &PropertyEditorManager::propertyChanged, this,
            &WlanInternetAccessPointEditorPlugin::managerPropertyChanged);
    managerPropertyChanged(WLANProperties::Name);
}

WlanInternetAccessPointEditorPlugin::~WlanInternetAccessPointEditorPlugin()
{
    // Pages still alive must not restore into a manager that is going away.
    d->propertyBackup.clear();
    delete d->manager;
    delete d;
}

QString WlanInternetAccessPointEditorPlugin::editorTitle()
{
    return qtTrId("qtn_conn_edit_wlan");
}

QGraphicsWidget* WlanInternetAccessPointEditorPlugin::editorWidget(QGraphicsWidget* parent) const
{
    auto self = const_cast<WlanInternetAccessPointEditorPlugin*>(this);
    auto widget = new WlanConnectionSettingWidget(d->iap, d->manager, parent);
    d->editorWidget = widget;
    connect(widget, &QObject::destroyed, self, &WlanInternetAccessPointEditorPlugin::widgetDestroyed);
    connect(widget, &WlanConnectionSettingWidget::forgetButtonClicked, self,
            &InternetAccessPointEditorInterface::forgetActivated);
    connect(widget, &WlanConnectionSettingWidget::advancedButtonClicked, self,
            &InternetAccessPointEditorInterface::advancedSettingsActivated);
    return widget;
}

QList<QGraphicsWidget*> WlanInternetAccessPointEditorPlugin::advancedSettingsEditorWidgets(
    QGraphicsWidget* parent) const
{
    int security = WlanSecurity::Open;
    if (d->editorWidget)
        security = WlanSecurity::securityFromString(d->editorWidget->properties().value(WLANProperties::Security).toString());
    else if (d->iap)
        security = WlanSecurity::securityFromIap(*d->iap);

    QList<QGraphicsWidget*> widgets;
    if (security == WlanSecurity::Wep) {
        d->wepKeysWidget = new WepKeysEditWidget(d->manager, parent);
        widgets << d->wepKeysWidget.data();
    } else if (security == WlanSecurity::WpaEap) {
        d->eapWidget = new EapEditWidget(d->manager, parent);
        widgets << d->eapWidget.data();
    }

    auto other = new OtherAdvancedSettingsWidget(d->manager, parent);
    if (other->hasSettings()) {
        d->otherAdvancedWidget = other;
        widgets << other;
    } else {
        delete other;
    }

    if (widgets.isEmpty())
        return widgets;

    d->propertyBackup = d->manager->properties();
    auto self = const_cast<WlanInternetAccessPointEditorPlugin*>(this);
    connect(widgets.first(), &QObject::destroyed, self, &WlanInternetAccessPointEditorPlugin::restorePropertyBackup);
    return widgets;
}

int WlanInternetAccessPointEditorPlugin::validate(bool silent, bool checkWepKeys) const
{
    const QMap<QString, QVariant> properties = d->manager->properties();
    int result = d->validateName(properties, silent);
    if (result == Valid)
        result = d->validateSsid(properties, silent);
    if (result != Valid)
        return result;

    switch (WlanSecurity::securityFromString(properties.value(WLANProperties::Security).toString())) {
    case WlanSecurity::Wep:
        return checkWepKeys ? d->validateWepKeys(properties, silent, false) : Valid;
    case WlanSecurity::WpaPsk:
        return d->validateWpaPsk(properties, silent);
    default:
        return Valid;
    }
}

int WlanInternetAccessPointEditorPlugin::validateAdvancedSettings(bool silent) const
{
    const QMap<QString, QVariant> properties = d->manager->properties();
    if (WlanSecurity::securityFromString(properties.value(WLANProperties::Security).toString()) == WlanSecurity::Wep)
        return d->validateWepKeys(properties, silent, true);
    return Valid;
}

bool WlanInternetAccessPointEditorPlugin::mandatoryValuesProvided() const
{
    return d->mandatoryValuesProvided;
}

PropertyEditorManager* WlanInternetAccessPointEditorPlugin::propertyManager() const
{
    return d->manager;
}

void WlanInternetAccessPointEditorPlugin::saveChanges()
{
    // Saved: leaving the advanced pages now keeps what they changed.
    d->propertyBackup.clear();
    if (!d->iap) {
        qWarning("Velin::WlanInternetAccessPointEditorPlugin: no access point to save to");
        return;
    }

    QMap<QString, QVariant> properties = d->manager->properties();
    // A connection made in the old network mode cannot continue in the new
    // one. A map without a type keeps the stored one, so nothing changes.
    const QVariant type = properties.value(WLANProperties::Type);
    if (type.isValid() && d->iap->type() != type.toString())
        d->iap->disconnect();

    const WlanWpaEap catalogue;
    catalogue.cleanProperties(properties);
    if (!catalogue.isAutoConnectable(properties))
        properties.insert(WLANProperties::AutoConnect, false);
    d->iap->setProperties(properties);
}

void WlanInternetAccessPointEditorPlugin::managerPropertyChanged(QString property)
{
    const QMap<QString, QVariant> properties = d->manager->properties();
    QStringList mandatory{WLANProperties::Name, WLANProperties::Ssid};
    // A pre-shared key of 64 hexadecimal digits is stored as raw bytes in
    // place of the passphrase: either one gives the network its key, and
    // typing such a key reports only the raw key's property.
    bool presharedKey = false;
    switch (WlanSecurity::securityFromString(properties.value(WLANProperties::Security).toString())) {
    case WlanSecurity::Wep:
        mandatory << wepKeyName(defaultWepKey(properties));
        break;
    case WlanSecurity::WpaPsk:
        mandatory << WLANProperties::EapWpaPassphrase;
        presharedKey = true;
        break;
    default:
        break;
    }

    if (property != WLANProperties::WepDefaultKeyIndex && property != WLANProperties::Security
        && !mandatory.contains(property) && !(presharedKey && property == WLANProperties::EapWpaKey))
        return;

    d->mandatoryValuesProvided = true;
    for (const QString& key : qAsConst(mandatory)) {
        if (!properties.value(key).toString().isEmpty())
            continue;
        if (key == WLANProperties::EapWpaPassphrase && !properties.value(WLANProperties::EapWpaKey).toByteArray().isEmpty())
            continue;
        d->mandatoryValuesProvided = false;
        break;
    }
    Q_EMIT mandatoryValuesProvidedChanged(d->mandatoryValuesProvided);
}

void WlanInternetAccessPointEditorPlugin::widgetDestroyed()
{
    // Only the page that goes: a page built since then stays remembered.
    if (d->editorWidget.data() == sender())
        d->editorWidget = nullptr;
}

void WlanInternetAccessPointEditorPlugin::restorePropertyBackup()
{
    // Taken first: the notifications below run page code that may call back.
    const QMap<QString, QVariant> backup = d->propertyBackup;
    d->propertyBackup.clear();
    if (backup.isEmpty())
        return;

    for (auto it = backup.cbegin(); it != backup.cend(); ++it)
        d->manager->setPropertyValueWithNotification(it.key(), it.value());

    // Undo must undo everything: a key that the pages added goes away too,
    // and a value that a page derived while being notified is put back. A
    // few rounds are plenty; pages derive values from others only one level
    // deep.
    for (int round = 0; round < 3; ++round) {
        const QMap<QString, QVariant> current = d->manager->properties();
        if (identical(current, backup))
            return;
        for (auto it = current.cbegin(); it != current.cend(); ++it) {
            if (!backup.contains(it.key()))
                d->manager->setPropertyValueWithNotification(it.key(), QVariant());
        }
        for (auto it = backup.cbegin(); it != backup.cend(); ++it) {
            if (!identical(d->manager->propertyValue(it.key()), it.value()))
                d->manager->setPropertyValueWithNotification(it.key(), it.value());
        }
    }
    if (!identical(d->manager->properties(), backup))
        qWarning("Velin::WlanInternetAccessPointEditorPlugin: the editor pages keep changing restored values");
}

} // namespace Velin
