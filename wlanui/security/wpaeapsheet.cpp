#include "wlanui/security/wpaeapsheet.h"
#include "wlanui/security/wpaeapsheet_p.h"

#include "wlanui/model/wlanproperties.h"
#include "wlanui/prompts/promptwidgets_p.h"

#include "base/certificatemodel.h"
#include "base/connectionlistitem.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/textedit.h"
#include "touch/widget.h"

namespace Velin {

namespace {

const QString TypeKey = QStringLiteral("EAP_default_type");
const QString MethodKey = QStringLiteral("PEAP_tunneled_eap_type");
const QString MsChapV2UserKey = QStringLiteral("EAP_MSCHAPV2_username");
const QString MsChapV2PasswordKey = QStringLiteral("EAP_MSCHAPV2_password");
const QString PromptKey = QStringLiteral("EAP_MSCHAPV2_password_prompt");
const QString GtcUserKey = QStringLiteral("EAP_GTC_identity");
const QString GtcPasswordKey = QStringLiteral("EAP_GTC_passcode");
const QString CertificateKey = QStringLiteral("EAP_TLS_PEAP_client_certificate_file");

// What the user has in a credential field; the stored value when the editor
// could not be used as a text edit, so that the check still sees the map.
QString credentialText(const QPointer<Touch::TextEdit>& edit, const PropertyEditorManager* manager,
                       const QString& key)
{
    if (edit)
        return edit->text();
    return key.isEmpty() ? QString() : manager->propertyValue(key).toString();
}

} // namespace

WpaEapSheetPrivate::WpaEapSheetPrivate(WpaEapSheet* q)
    : QObject(q)
    , q(q)
{
    // Every sheet starts from TLS and empty credentials: it cannot be preset.
    QMap<QString, QVariant> initial;
    initial.insert(TypeKey, eap.typeValue(WlanWpaEap::TypeTls).toInt());
    initial.insert(MethodKey, eap.methodValue(WlanWpaEap::MethodEapGtc).toInt());
    initial.insert(MsChapV2UserKey, QString());
    initial.insert(MsChapV2PasswordKey, QString());
    initial.insert(PromptKey, false);
    initial.insert(GtcUserKey, QString());
    initial.insert(GtcPasswordKey, QString());
    initial.insert(CertificateKey, QString());
    manager = new PropertyEditorManager(initial, this);
    // A combo box for every choice, however short.
    manager->setButtonGroupLimit(0);
    connect(manager, &PropertyEditorManager::propertyChanged, this, &WpaEapSheetPrivate::propertyChanged);
}

WpaEapSheetPrivate::~WpaEapSheetPrivate()
{
    // Out of every layout nothing else owns it.
    delete passwordFrame.data();
}

void WpaEapSheetPrivate::addWidget(QGraphicsWidget* widget)
{
    widgets.append(widget);
    q->addItem(widget);
}

void WpaEapSheetPrivate::propertyChanged(const QString& key)
{
    if (key == TypeKey) {
        for (QGraphicsWidget* widget : qAsConst(widgets))
            q->deleteItem(widget);
        widgets.clear();
        userNameEdit = nullptr;
        passwordEdit = nullptr;
        // TLS asks for nothing; a tunnelled type checks its fields again.
        q->setAcceptEnabled(true);
        createTypeWidgets();
    } else if (key == MethodKey) {
        // The method combo box and the empty widget before the fields stay.
        while (widgets.size() > 2)
            q->deleteItem(widgets.takeLast());
        userNameEdit = nullptr;
        passwordEdit = nullptr;
        createMethodWidgets();
    } else if (key == GtcUserKey) {
        // Silent copies: what was typed survives a switch between the two
        // methods, and properties() drops the keys of the one not chosen.
        manager->setPropertyValue(MsChapV2UserKey, manager->propertyValue(key));
    } else if (key == MsChapV2UserKey) {
        manager->setPropertyValue(GtcUserKey, manager->propertyValue(key));
    } else if (key == GtcPasswordKey) {
        manager->setPropertyValue(MsChapV2PasswordKey, manager->propertyValue(key));
    } else if (key == MsChapV2PasswordKey) {
        manager->setPropertyValue(GtcPasswordKey, manager->propertyValue(key));
    }
}

void WpaEapSheetPrivate::createTypeWidgets()
{
    const QString type = eap.valueToType(manager->propertyValue(TypeKey).toInt());
    if (type == WlanWpaEap::TypeTls)
        return;

    const QStringList methods = eap.methods(type);
    const QStringList names = eap.methodNames(methods);
    const QList<QVariant> values = eap.methodValues(methods);
    if (!values.isEmpty()) {
        const int stored = manager->propertyValue(MethodKey).toInt();
        bool offered = false;
        for (const QVariant& value : values)
            offered = offered || value.toInt() == stored;
        if (!offered)
            manager->setPropertyValue(MethodKey, values.last());

        QGraphicsWidget* editor = manager->createEditor(MethodKey, names, values);
        if (auto combo = qobject_cast<Touch::ComboBox*>(editor))
            combo->setTitle(qtTrId("qtn_conn_eap_method"));
        addWidget(editor);
    }
    createMethodWidgets();
}

void WpaEapSheetPrivate::createMethodWidgets()
{
    // Keeps the widget list's shape the same after every method change.
    auto empty = new Touch::Widget;
    empty->setMinimumSize(0, 0);
    empty->setMaximumSize(0, 0);
    empty->setPreferredSize(0, 0);
    addWidget(empty);

    auto container = new Touch::Widget;
    auto layout = new Touch::Layout;
    layout->setContentsMargins(0, 0, 0, 0);
    container->setLayout(layout);
    methodPolicy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    methodPolicy->setContentsMargins(0, 0, 0, 0);
    methodContainer = container;

    const QString method = eap.valueToMethod(manager->propertyValue(MethodKey).toInt());
    if (method == WlanWpaEap::MethodEapGtc) {
        userKey = GtcUserKey;
        passwordKey = GtcPasswordKey;
    } else {
        userKey = MsChapV2UserKey;
        passwordKey = MsChapV2PasswordKey;
    }

    QGraphicsWidget* userEditor = manager->createEditor(userKey, QVariant::String);
    userNameEdit = qobject_cast<Touch::TextEdit*>(userEditor);
    if (userNameEdit) {
        userNameEdit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        userNameEdit->setObjectName(QStringLiteral("UserNameEdit"));
        connect(userNameEdit.data(), &Touch::TextEdit::textChanged, this, &WpaEapSheetPrivate::checkCredentials);
    } else {
        qWarning("Velin::WpaEapSheet: the user-name editor could not be used as a text edit");
    }
    auto userFrame = new SimpleFrame(qtTrId("qtn_conn_username"));
    userFrame->setContent(userEditor);
    methodPolicy->addItem(userFrame);

    QGraphicsWidget* promptEditor = manager->createEditor(PromptKey, QVariant::Bool);
    promptButton = qobject_cast<Touch::Button*>(promptEditor);
    if (promptButton) {
        promptButton->setObjectName(QStringLiteral("PromptPasswordButton"));
        methodPolicy->addItem(new SimpleCheckBoxLabel(promptButton, qtTrId("qtn_conn_prompt_password"),
                                                      QString::fromLatin1(Touch::Button::SwitchType)));
        connect(promptButton.data(), &Touch::Button::toggled, this, &WpaEapSheetPrivate::promptPasswordChanged,
                Qt::UniqueConnection);
    } else {
        qWarning("Velin::WpaEapSheet: the password prompt editor could not be used as a button");
        delete promptEditor;
    }

    QGraphicsWidget* passwordEditor = manager->createEditor(passwordKey, QVariant::String);
    passwordEdit = qobject_cast<Touch::TextEdit*>(passwordEditor);
    if (passwordEdit) {
        passwordEdit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        passwordEdit->setObjectName(QStringLiteral("PasswordEdit"));
        passwordEdit->setEchoMode(Touch::TextEdit::Password);
        PromptWidgets::disableInputMethodAssists(passwordEdit);
        connect(passwordEdit.data(), &Touch::TextEdit::textChanged, this, &WpaEapSheetPrivate::checkCredentials);
    } else {
        qWarning("Velin::WpaEapSheet: the password editor could not be used as a text edit");
    }

    // A frame left out of the previous container (password prompted) is
    // nobody else's; one inside it has died with it.
    delete passwordFrame.data();
    auto frame = new SimpleFrame(qtTrId("qtn_conn_password"));
    frame->setContent(passwordEditor);
    passwordFrame = frame;
    if (promptButton && promptButton->isChecked()) {
        passwordFrameInLayout = false;
    } else {
        methodPolicy->addItem(frame);
        passwordFrameInLayout = true;
    }

    addWidget(container);
    checkCredentials();
}

void WpaEapSheetPrivate::checkCredentials()
{
    const bool prompted = promptButton && promptButton->isChecked();
    const bool hasUserName = !credentialText(userNameEdit, manager, userKey).isEmpty();
    const bool hasPassword = !credentialText(passwordEdit, manager, passwordKey).isEmpty();
    q->setAcceptEnabled(hasUserName && (hasPassword || prompted));
}

void WpaEapSheetPrivate::promptPasswordChanged(bool on)
{
    if (methodContainer && passwordFrame) {
        if (on && passwordFrameInLayout) {
            // Only out of the policy: the text stays in the edit.
            methodPolicy->removeItem(passwordFrame);
            passwordFrameInLayout = false;
        } else if (!on && !passwordFrameInLayout) {
            methodPolicy->insertItem(methodPolicy->count(), passwordFrame);
            passwordFrameInLayout = true;
        }
    }
    checkCredentials();
}

WpaEapSheet::WpaEapSheet(const QString& ssid)
    : EasyWlanSheet(ssid)
    , d(new WpaEapSheetPrivate(this))
{
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
    d->createTypeWidgets();
}

// The companion is a child: Qt's ownership deletes it.
WpaEapSheet::~WpaEapSheet() = default;

QList<Touch::Widget*> WpaEapSheet::configurationWidgets()
{
    QList<Touch::Widget*> widgets;
    widgets << PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wpa"));

    const QStringList types = d->eap.types();
    QGraphicsWidget* typeEditor =
        d->manager->createEditor(QStringLiteral("EAP_default_type"), d->eap.typeNames(types), d->eap.typeValues(types));
    if (auto typeCombo = qobject_cast<Touch::ComboBox*>(typeEditor)) {
        typeCombo->setTitle(qtTrId("qtn_conn_eap_type"));
        widgets << typeCombo;
    } else {
        qWarning("Velin::WpaEapSheet: the type editor is not a combo box; not shown");
        delete typeEditor;
    }

    auto certificateCombo = new Touch::ComboBox;
    certificateCombo->setStyleName(QStringLiteral("CommonComboBox"));
    certificateCombo->setTitle(qtTrId("qtn_conn_select_certificate"));
    if (!d->certificateModel)
        d->certificateModel = new CertificateModel(this);
    d->manager->bindEditor(certificateCombo, CertificateKey, d->certificateModel, CertificateModel::PathColumn);
    widgets << certificateCombo;
    return widgets;
}

QMap<QString, QVariant> WpaEapSheet::properties() const
{
    QMap<QString, QVariant> properties = d->manager->properties();
    d->eap.cleanProperties(properties);
    return properties;
}

} // namespace Velin
