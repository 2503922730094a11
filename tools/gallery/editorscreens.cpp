// Gallery screens of the access-point editor: the main page for every
// security method (WPA-EAP with two of the shipped types) and each advanced
// page.  Every page edits a sample access point's settings through its own
// property editor manager, as the editor plug-in does.
#include "galleryscreen.h"

#include "wlanui/editor/eapeditwidget.h"
#include "wlanui/editor/otheradvancedsettingswidget.h"
#include "wlanui/editor/wepkeyseditwidget.h"
#include "wlanui/editor/wlansecuritywidget.h"

#include "base/propertyeditormanager.h"
#include "base/simplesheet.h"

#include <QGraphicsLinearLayout>

#include <functional>

namespace {

using Velin::PropertyEditorManager;
using PageFactory = std::function<QGraphicsWidget *(PropertyEditorManager *)>;

// A saved access point called "Office", with what its method needs.
QVariantMap officeSettings(const QString &security, const QVariantMap &extra = QVariantMap())
{
    QVariantMap settings{{"name", "Office"},         {"wlan_ssid", QByteArray("Office")},
                         {"type", "WLAN_INFRA"},     {"wlan_security", security},
                         {"autoconnect", true},      {"wlan_hidden", false}};
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        settings.insert(it.key(), it.value());
    return settings;
}

// The sample's pages on one gallery sheet; the manager lives as long as the sheet.
Touch::SceneWindow *editorScreen(Touch::ApplicationWindow *window, const QString &title,
                                 const QVariantMap &settings, const QList<PageFactory> &pages)
{
    auto manager = new PropertyEditorManager(settings);
    auto content = new QGraphicsWidget;
    auto layout = new QGraphicsLinearLayout(Qt::Vertical, content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const PageFactory &page : pages)
        layout->addItem(page(manager));
    Velin::SimpleSheet *sheet = galleryPage(title, content, window);
    manager->setParent(sheet);
    return sheet;
}

QGraphicsWidget *mainPage(PropertyEditorManager *manager)
{
    return new Velin::WlanSecurityWidget(manager);
}

QGraphicsWidget *wepKeysPage(PropertyEditorManager *manager)
{
    return new Velin::WepKeysEditWidget(manager);
}

QGraphicsWidget *eapPage(PropertyEditorManager *manager)
{
    return new Velin::EapEditWidget(manager);
}

QGraphicsWidget *otherPage(PropertyEditorManager *manager)
{
    return new Velin::OtherAdvancedSettingsWidget(manager);
}

struct EditorSample
{
    int order;
    const char *name;
    const char *title;    // the gallery's menu
    const char *heading;  // the sheet's header, short enough to show whole
    QVariantMap settings;
    QList<PageFactory> pages;
};

const QVariantMap wepKeys{{"wlan_wepdefkey", 2}, {"wlan_wepkey1", "abcde"}, {"wlan_wepkey2", "0123456789"},
                          {"wlan_wepkey4", "fedcba9876543210fedcba9876"}};
// Types and methods by their values in the shipped catalogue: PEAP 25 with
// EAP-MSCHAPv2 26, TLS 13.
const QVariantMap peapSettings{{"EAP_default_type", 25},
                               {"PEAP_tunneled_eap_type", 26},
                               {"EAP_MSCHAPV2_username", "alice"},
                               {"EAP_MSCHAPV2_password", "secret"},
                               {"EAP_use_manual_username", true},
                               {"EAP_manual_username", "alice@example.com"}};
const QVariantMap tlsSettings{{"EAP_default_type", 13}, {"TLS_server_authenticates_client_policy_in_client", true}};

const QList<EditorSample> samples = {
    {300, "editor-main-open", "Editor, main page, no security", "Main page: open", officeSettings("NONE"), {mainPage}},
    {301, "editor-main-wep", "Editor, main page, WEP", "Main page: WEP", officeSettings("WEP", wepKeys), {mainPage}},
    {302, "editor-main-wpa-psk", "Editor, main page, WPA-PSK", "Main page: WPA-PSK",
     officeSettings("WPA_PSK", {{"EAP_wpa_preshared_passphrase", "correct horse"}}), {mainPage}},
    {303, "editor-main-wpa-eap-peap", "Editor, main page, WPA-EAP PEAP", "Main page: PEAP", officeSettings("WPA_EAP", peapSettings),
     {mainPage}},
    {304, "editor-main-wpa-eap-tls", "Editor, main page, WPA-EAP TLS", "Main page: TLS", officeSettings("WPA_EAP", tlsSettings),
     {mainPage}},
    {305, "editor-main-wapi-psk", "Editor, main page, WAPI pre-shared key", "Main page: WAPI key",
     officeSettings("WAI_PSK", {{"wapi_key_type", 0}, {"EAP_wpa_preshared_key", QByteArray("office key")}}),
     {mainPage}},
    {306, "editor-main-wapi-certificate", "Editor, main page, WAPI certificate", "Main page: WAPI cert.",
     officeSettings("WAI_certificate"), {mainPage}},
    {310, "editor-advanced-wep", "Editor, advanced pages, WEP", "Advanced: WEP", officeSettings("WEP", wepKeys),
     {wepKeysPage, otherPage}},
    {311, "editor-advanced-wpa-eap", "Editor, advanced pages, WPA-EAP", "Advanced: WPA-EAP", officeSettings("WPA_EAP", peapSettings),
     {eapPage, otherPage}},
    {312, "editor-advanced-wpa-eap-no-manual-name", "Editor, advanced pages, WPA-EAP without a manual name",
     "Advanced: EAP, no name",
     officeSettings("WPA_EAP", tlsSettings), {eapPage}},
    {313, "editor-advanced-ad-hoc", "Editor, advanced page, ad hoc network", "Advanced: ad hoc",
     officeSettings("NONE", {{"type", "WLAN_ADHOC"}, {"wlan_adhoc_channel", 6}}), {otherPage}},
};

// One registration per sample, made while the gallery starts.
const QList<GalleryRegistration> registrations = [] {
    QList<GalleryRegistration> made;
    for (const EditorSample &sample : samples) {
        made << GalleryRegistration({sample.order, QLatin1String(sample.name), QLatin1String(sample.title),
                                     [sample](Touch::ApplicationWindow *window) {
                                         return editorScreen(window, QLatin1String(sample.heading),
                                                             sample.settings, sample.pages);
                                     }});
    }
    return made;
}();

} // namespace
