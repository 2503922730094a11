// Gallery screens of the WPA-EAP sheet: TLS with a client certificate, PEAP
// with EAP-GTC and its credentials, and EAP-MSCHAPv2 with the password asked
// at each connection.  The types and methods come from the shipped catalogue.
#include "galleryscreen.h"

#include "wlanui/model/wlanwpaeap.h"
#include "wlanui/security/wpaeapsheet.h"

#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QGraphicsItem>

namespace {

using Velin::WlanWpaEap;

// Every descendant of root that is a T.
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

template <typename T>
T *named(const QGraphicsItem *root, const QString &name)
{
    for (T *item : findItems<T>(root)) {
        if (item->objectName() == name)
            return item;
    }
    return nullptr;
}

Touch::ComboBox *comboTitled(const QGraphicsItem *root, const char *titleId)
{
    for (Touch::ComboBox *combo : findItems<Touch::ComboBox>(root)) {
        if (combo->title() == qtTrId(titleId))
            return combo;
    }
    return nullptr;
}

// Picks entry in the combo box titled titleId; -1 (not offered) leaves it.
void choose(const QGraphicsItem *root, const char *titleId, int entry)
{
    Touch::ComboBox *combo = comboTitled(root, titleId);
    if (combo && entry >= 0)
        combo->setCurrentIndex(entry);
}

void fillCredentials(const QGraphicsItem *root, const QString &user, const QString &password)
{
    if (auto edit = named<Touch::TextEdit>(root, QStringLiteral("UserNameEdit")))
        edit->insert(user);
    if (auto edit = named<Touch::TextEdit>(root, QStringLiteral("PasswordEdit")))
        edit->insert(password);
}

// The sheet for type, then method (when the type offers it), as the user
// picks them.
Velin::WpaEapSheet *eapSheet(const QString &type, const QString &method)
{
    auto sheet = new Velin::WpaEapSheet(QStringLiteral("Campus"));
    const WlanWpaEap eap;
    choose(sheet, "qtn_conn_eap_type", eap.types().indexOf(type));
    if (!method.isEmpty())
        choose(sheet, "qtn_conn_eap_method", eap.methods(type).indexOf(method));
    return sheet;
}

// Nothing but a certificate to choose: no credentials, always acceptable.
Touch::SceneWindow *tlsSheet(Touch::ApplicationWindow *window)
{
    Velin::WpaEapSheet *sheet = eapSheet(WlanWpaEap::TypeTls, QString());
    choose(sheet, "qtn_conn_select_certificate", 1);
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *peapGtcSheet(Touch::ApplicationWindow *window)
{
    Velin::WpaEapSheet *sheet = eapSheet(WlanWpaEap::TypePeap, WlanWpaEap::MethodEapGtc);
    fillCredentials(sheet, QStringLiteral("alice"), QStringLiteral("482913"));
    sheet->appear(window);
    return sheet;
}

// With the switch on, the password field is gone and a user name suffices.
Touch::SceneWindow *msChapV2PromptedSheet(Touch::ApplicationWindow *window)
{
    Velin::WpaEapSheet *sheet = eapSheet(WlanWpaEap::TypePeap, WlanWpaEap::MethodEapMsChapV2);
    fillCredentials(sheet, QStringLiteral("bob"), QString());
    if (auto button = named<Touch::Button>(sheet, QStringLiteral("PromptPasswordButton")))
        button->click();
    sheet->appear(window);
    return sheet;
}

const GalleryRegistration tls({260, QStringLiteral("wpa-eap-sheet-tls"), QStringLiteral("WPA-EAP sheet, TLS"), tlsSheet});
const GalleryRegistration peapGtc({261, QStringLiteral("wpa-eap-sheet-peap-gtc"),
                                   QStringLiteral("WPA-EAP sheet, PEAP with EAP-GTC"), peapGtcSheet});
const GalleryRegistration msChapV2Prompted({262, QStringLiteral("wpa-eap-sheet-mschapv2-prompted"),
                                            QStringLiteral("WPA-EAP sheet, EAP-MSCHAPv2, password asked"),
                                            msChapV2PromptedSheet});

} // namespace
