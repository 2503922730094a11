// Gallery screens of the access-point editor: the main page for every
// security method (WPA-EAP with two of the shipped types) and each advanced
// page.  Every page edits a sample access point's settings through its own
// property editor manager, as the editor plug-in does.
#include "galleryscreen.h"

#include "wlanui/editor/eapeditwidget.h"
#include "wlanui/editor/otheradvancedsettingswidget.h"
#include "wlanui/editor/wepkeyseditwidget.h"
#include "wlanui/editor/wlanconnectionsettingwidget.h"
#include "wlanui/editor/wlansecuritywidget.h"

#include "base/propertyeditormanager.h"
#include "base/simplesheet.h"
#include "net/internetaccesspoint.h"
#include "touch/combobox.h"

#include <QGraphicsLinearLayout>

#include <functional>

namespace {

using Velin::PropertyEditorManager;
using PageFactory = std::function<QGraphicsWidget *(PropertyEditorManager *)>;
// What the sample does once its sheet is on the window (pick, focus, ...).
using Preparation = std::function<void(QGraphicsWidget *content)>;

// Every descendant of root that is a T, depth first.
template <typename T>
QList<T *> findItems(const QGraphicsItem *root)
{
    QList<T *> found;
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (T *match = qobject_cast<T *>(child->toGraphicsObject()))
            found << match;
        found += findItems<T>(child);
    }
    return found;
}

// A long security section reaches below the window; the sheet pans to the
// focused field, so focusing its last field brings the whole section up.
void focusLastSecurityField(QGraphicsWidget *content)
{
    for (Velin::WlanSecurityWidget *security : findItems<Velin::WlanSecurityWidget>(content)) {
        QList<QGraphicsWidget *> fields;
        for (QGraphicsWidget *widget : findItems<QGraphicsWidget>(security)) {
            if (widget->isVisible() && (widget->flags() & QGraphicsItem::ItemIsFocusable))
                fields << widget;
        }
        if (!fields.isEmpty())
            fields.last()->setFocus(Qt::OtherFocusReason);
    }
}

// The first root certificate, then the first user certificate it issued
// (the user list follows the root chosen).
void chooseWapiCertificates(QGraphicsWidget *content)
{
    for (const char *titleId : {"qtn_conn_select_root_cert", "qtn_conn_select_client_cert"}) {
        for (Touch::ComboBox *combo : findItems<Touch::ComboBox>(content)) {
            if (combo->title() == qtTrId(titleId) && combo->count() > 1)
                combo->setCurrentIndex(1);
        }
    }
    focusLastSecurityField(content);
}

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
                                 const QVariantMap &settings, const QList<PageFactory> &pages,
                                 const Preparation &prepare)
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
    if (prepare)
        prepare(content);
    return sheet;
}

// The main page of the saved access point whose settings the manager holds;
// the access point lives as long as the manager.
QGraphicsWidget *mainPage(PropertyEditorManager *manager)
{
    const QList<QVariant> data = {QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), 0u,
                                  QByteArray("Office")};
    auto iap = new Velin::InternetAccessPoint(data, manager);
    iap->setProperties(manager->properties());
    return new Velin::WlanConnectionSettingWidget(iap, manager);
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
    Preparation prepare = nullptr;
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
     {mainPage}, focusLastSecurityField},
    {304, "editor-main-wpa-eap-tls", "Editor, main page, WPA-EAP TLS", "Main page: TLS", officeSettings("WPA_EAP", tlsSettings),
     {mainPage}, focusLastSecurityField},
    {305, "editor-main-wapi-psk", "Editor, main page, WAPI pre-shared key", "Main page: WAPI key",
     officeSettings("WAI_PSK", {{"wapi_key_type", 0}, {"EAP_wpa_preshared_key", QByteArray("office key")}}),
     {mainPage}},
    {306, "editor-main-wapi-certificate", "Editor, main page, WAPI certificate", "Main page: WAPI cert.",
     officeSettings("WAI_certificate"), {mainPage}, chooseWapiCertificates},
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
                                                             sample.settings, sample.pages, sample.prepare);
                                     }});
    }
    return made;
}();

} // namespace
