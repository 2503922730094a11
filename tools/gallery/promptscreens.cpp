// Gallery screens of the credential prompts: each sheet as it first shows,
// and as it looks after refusing what the user gave it.
#include "galleryscreen.h"

#include "wlanui/prompts/eapgtcresponsesheet.h"
#include "wlanui/prompts/easywlandialog.h"
#include "wlanui/prompts/mschappasswordchangesheet.h"
#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wepkeytextedit.h"
#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/prompts/wpapsktextedit.h"

#include "net/internetaccesspoint.h"
#include "touch/label.h"
#include "touch/textedit.h"

#include <QGraphicsItem>

namespace {

// The first descendant of root that is a T.
template <typename T>
T *findItem(const QGraphicsItem *root)
{
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (QGraphicsObject *object = child->toGraphicsObject()) {
            if (T *match = qobject_cast<T *>(object))
                return match;
        }
        if (T *match = findItem<T>(child))
            return match;
    }
    return nullptr;
}

Touch::TextEdit *namedEdit(const QGraphicsItem *root, const QString &name)
{
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (auto edit = qobject_cast<Touch::TextEdit *>(child->toGraphicsObject())) {
            if (edit->objectName() == name)
                return edit;
        }
        if (Touch::TextEdit *match = namedEdit(child, name))
            return match;
    }
    return nullptr;
}

Touch::SceneWindow *wepSheet(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::WepKeySheet(QStringLiteral("Library"));
    sheet->appear(window);
    return sheet;
}

// Seven characters are no WEP key: Connect explains and keeps the sheet.
Touch::SceneWindow *wepSheetRefused(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::WepKeySheet(QStringLiteral("Library"));
    sheet->appear(window);
    if (auto edit = findItem<Velin::WepKeyTextEdit>(sheet))
        edit->insert(QStringLiteral("abcdefg"));
    sheet->accept();
    return sheet;
}

Touch::SceneWindow *wpaSheet(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::WpaPskSheet(QStringLiteral("Office"));
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *wpaSheetRefused(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::WpaPskSheet(QStringLiteral("Office"));
    sheet->appear(window);
    if (auto edit = findItem<Velin::WpaPskTextEdit>(sheet))
        edit->insert(QStringLiteral("office"));
    sheet->accept();
    return sheet;
}

Velin::MschapPasswordChangeSheet *mschapSheet(Touch::ApplicationWindow *window)
{
    Velin::InternetAccessPoint iap;
    iap.setProperty("name", QStringLiteral("Campus"));
    auto sheet = new Velin::MschapPasswordChangeSheet(iap);
    sheet->setUsername(QStringLiteral("student"));
    sheet->setPassword(QStringLiteral("campus-password"));
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *mschapSheetFirst(Touch::ApplicationWindow *window)
{
    return mschapSheet(window);
}

// A mistyped old password: told before the new ones are compared.
Touch::SceneWindow *mschapSheetRefused(Touch::ApplicationWindow *window)
{
    auto sheet = mschapSheet(window);
    const QStringList names = {QStringLiteral("OldPasswordEdit"), QStringLiteral("NewPasswordEdit"),
                               QStringLiteral("NewPasswordVerifyEdit")};
    const QStringList texts = {QStringLiteral("campus-pasword"), QStringLiteral("new-campus-2024"),
                               QStringLiteral("new-campus-2024")};
    for (int i = 0; i < names.size(); ++i) {
        if (Touch::TextEdit *edit = namedEdit(sheet, names.at(i)))
            edit->insert(texts.at(i));
    }
    sheet->accept();
    return sheet;
}

Velin::EapGtcResponseSheet *eapGtcSheet(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::EapGtcResponseSheet(
        QStringLiteral("Challenge 4711. Enter the six digits that your token card shows for it."));
    sheet->setConnectionName(QStringLiteral("Campus"));
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *eapGtcSheetFirst(Touch::ApplicationWindow *window)
{
    return eapGtcSheet(window);
}

// Nothing is refused here: any response goes to the server.
Touch::SceneWindow *eapGtcSheetAnswered(Touch::ApplicationWindow *window)
{
    auto sheet = eapGtcSheet(window);
    if (Touch::TextEdit *edit = namedEdit(sheet, QStringLiteral("ResponseEdit"))) {
        edit->insert(QStringLiteral("483921"));
        edit->setFocus(Qt::OtherFocusReason);
    }
    return sheet;
}

Touch::SceneWindow *easyWlanDialog(Touch::ApplicationWindow *window)
{
    auto dialog = new Velin::EasyWlanDialog(QStringLiteral("Office"));
    auto text = new Touch::Label(QStringLiteral("Widgets added to the dialog stack here, top to bottom."));
    text->setStyleName(QStringLiteral("CommonBodyText"));
    text->setWordWrap(true);
    dialog->addItem(text);
    dialog->appear(window);
    return dialog;
}

const GalleryRegistration wep({100, QStringLiteral("wep-key-sheet"), QStringLiteral("WEP key sheet"), wepSheet});
const GalleryRegistration wepRefused({101, QStringLiteral("wep-key-sheet-refused"),
                                      QStringLiteral("WEP key sheet, key refused"), wepSheetRefused});
const GalleryRegistration wpa({110, QStringLiteral("wpa-psk-sheet"), QStringLiteral("WPA-PSK sheet"), wpaSheet});
const GalleryRegistration wpaRefused({111, QStringLiteral("wpa-psk-sheet-refused"),
                                      QStringLiteral("WPA-PSK sheet, key refused"), wpaSheetRefused});
const GalleryRegistration mschap({120, QStringLiteral("mschap-password-sheet"),
                                  QStringLiteral("MSCHAPv2 password change sheet"), mschapSheetFirst});
const GalleryRegistration mschapRefused({121, QStringLiteral("mschap-password-sheet-refused"),
                                         QStringLiteral("MSCHAPv2 password change, old password refused"),
                                         mschapSheetRefused});
const GalleryRegistration eapGtc({130, QStringLiteral("eap-gtc-response-sheet"), QStringLiteral("EAP-GTC response sheet"),
                                  eapGtcSheetFirst});
const GalleryRegistration eapGtcAnswered({131, QStringLiteral("eap-gtc-response-sheet-answered"),
                                          QStringLiteral("EAP-GTC response sheet, answered"), eapGtcSheetAnswered});
const GalleryRegistration dialog({140, QStringLiteral("easy-wlan-dialog"), QStringLiteral("Easy WLAN dialog"),
                                  easyWlanDialog});

} // namespace
