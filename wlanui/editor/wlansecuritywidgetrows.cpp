// The WPA-EAP and WAPI rows of the security section.
#include "wlanui/editor/wlansecuritywidget_p.h"

#include "wlanui/model/wlanproperties.h"
#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapipskpropertymapper.h"

#include "base/certificatemodel.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/separator.h"
#include "touch/textedit.h"

namespace Velin {

namespace {

const QString ClientCertificateFile = QStringLiteral("EAP_TLS_PEAP_client_certificate_file");
const QString TunneledType = QStringLiteral("PEAP_tunneled_eap_type");
const QString PasswordPrompt = QStringLiteral("EAP_MSCHAPV2_password_prompt");
const QString RootCertificate = QStringLiteral("WAPI_EC_CS_selected_ca_subject_common_name");
const QString ClientCertificate = QStringLiteral("WAPI_EC_CS_selected_client_subject_common_name");

Touch::ComboBox* certificateCombo(QAbstractItemModel* model, const QString& title)
{
    auto combo = new Touch::ComboBox();
    combo->setStyleName(QStringLiteral("CommonComboBox"));
    combo->setItemModel(model);
    combo->setTitle(title);
    return combo;
}

} // namespace

void WlanSecurityWidgetPrivate::createWpaEapWidgets()
{
    const QStringList types = eap.types();
    const QStringList labels = eap.typeNames(types);
    const QList<QVariant> values = eap.typeValues(types);
    if (!manager->propertyValue(WLANProperties::EapDefaultType).isValid() && !values.isEmpty())
        manager->setPropertyValue(WLANProperties::EapDefaultType, values.first());

    // The limit is shared by every page; the WEP page raises it.
    manager->setButtonGroupLimit(1);
    QGraphicsWidget* editor = manager->createEditor(WLANProperties::EapDefaultType, labels, values);
    eapTypeComboBox = qobject_cast<Touch::ComboBox*>(editor);
    if (!eapTypeComboBox) {
        qWarning("Unable to create wpaEapTypeComboBox!");
        delete editor;
    } else {
        eapTypeComboBox->setTitle(qtTrId("qtn_conn_wpa_eap_type"));
        eapTypeComboBox->setIconVisible(false);
        addWidget(eapTypeComboBox);
    }

    createCertificateWidgets();
    wpaEapTypeChanged(eap.valueToType(manager->propertyValue(WLANProperties::EapDefaultType).toInt()));
}

void WlanSecurityWidgetPrivate::createCertificateWidgets()
{
    auto model = new CertificateModel(this);
    auto combo = certificateCombo(model, qtTrId("qtn_conn_select_certificate"));
    certificateComboBox = combo;
    // The model goes with the combo box: every rebuild reads the directory anew.
    connect(combo, &QObject::destroyed, model, &QObject::deleteLater);
    if (!manager->propertyValue(ClientCertificateFile).isValid())
        manager->setPropertyValue(ClientCertificateFile, QString());
    manager->bindEditor(combo, ClientCertificateFile, model, 1);
    addWidget(combo);
}

void WlanSecurityWidgetPrivate::wpaEapTypeChanged(const QString& type)
{
    if (currentSecurity != WLANProperties::SecurityValueWpaEap)
        return;
    const bool wasVisible = q->isVisible();
    q->setVisible(false);
    keptWidgets.clear();
    if (eapTypeComboBox)
        keptWidgets << eapTypeComboBox.data();
    if (certificateComboBox)
        keptWidgets << certificateComboBox.data();
    filterWidgets();
    currentEapType = type;
    currentEapMethod.clear();
    if (currentEapType != WlanWpaEap::TypeTls)
        createWpaEapMethodWidgets();
    if (wasVisible)
        q->setVisible(true);
}

void WlanSecurityWidgetPrivate::createWpaEapMethodWidgets()
{
    const QStringList methods = eap.methods(currentEapType);
    const QStringList labels = eap.methodNames(methods);
    const QList<QVariant> values = eap.methodValues(methods);
    if (!manager->propertyValue(TunneledType).isValid() && !values.isEmpty())
        manager->setPropertyValue(TunneledType, values.first());

    manager->setButtonGroupLimit(1);
    QGraphicsWidget* editor = manager->createEditor(TunneledType, labels, values);
    eapMethodComboBox = qobject_cast<Touch::ComboBox*>(editor);
    if (!eapMethodComboBox) {
        qWarning("Unable to create wpaEapMethodComboBox!");
        delete editor;
    } else {
        eapMethodComboBox->setTitle(qtTrId("qtn_conn_eap_method"));
        eapMethodComboBox->setIconVisible(false);
        if (eapMethodComboBox->currentIndex() < 0)
            eapMethodComboBox->setCurrentIndex(0);
        addWidget(eapMethodComboBox);
    }

    wpaEapMethodChanged(eap.valueToMethod(manager->propertyValue(TunneledType).toInt()));
}

void WlanSecurityWidgetPrivate::wpaEapMethodChanged(const QString& method)
{
    if (currentSecurity != WLANProperties::SecurityValueWpaEap || currentEapType == WlanWpaEap::TypeTls)
        return;
    const bool wasVisible = q->isVisible();
    q->setVisible(false);
    if (eapMethodComboBox && !keptWidgets.contains(eapMethodComboBox.data()))
        keptWidgets << eapMethodComboBox.data();
    filterWidgets();

    currentEapMethod = method;
    const bool gtc = method == WlanWpaEap::MethodEapGtc;
    createUsernameWidgets(QLatin1String(gtc ? "EAP_GTC_identity" : "EAP_MSCHAPV2_username"));
    createPromptWidgets();
    createPasswordWidgets(QLatin1String(gtc ? "EAP_GTC_passcode" : "EAP_MSCHAPV2_password"));

    passwordShown = true;
    promptPasswordChanged(manager->propertyValue(PasswordPrompt).toBool());
    if (wasVisible)
        q->setVisible(true);
}

void WlanSecurityWidgetPrivate::createUsernameWidgets(const QString& key)
{
    QGraphicsWidget* editor = manager->createEditor(key, QVariant::String);
    auto edit = qobject_cast<Touch::TextEdit*>(editor);
    if (!edit) {
        delete editor;
        return;
    }
    auto divider = new Touch::Separator();
    divider->setStyleName(QStringLiteral("CommonItemDivider"));
    addWidget(divider);
    detailPolicy->addItem(addSpacer());

    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("UserNameEdit"));
    auto frame = new SimpleFrame(qtTrId("qtn_conn_username"), q);
    frame->setContent(edit);
    addWidget(frame);
    detailPolicy->addItem(addSpacer());
}

void WlanSecurityWidgetPrivate::createPromptWidgets()
{
    QGraphicsWidget* editor = manager->createEditor(PasswordPrompt, QVariant::Bool);
    auto button = qobject_cast<Touch::Button*>(editor);
    if (!button) {
        qWarning("WlanSecurityWidget: no switch for \"%s\"", qPrintable(PasswordPrompt));
        delete editor;
        return;
    }
    button->setStyleName(QStringLiteral("CommonRightSwitch"));
    button->setObjectName(QStringLiteral("PromptPasswordSwitch"));
    addWidget(new SimpleCheckBoxLabel(button, qtTrId("qtn_conn_prompt_password"),
                                      QString::fromLatin1(Touch::Button::SwitchType)));
    connect(button, &Touch::Button::toggled, this, &WlanSecurityWidgetPrivate::promptPasswordChanged);
}

void WlanSecurityWidgetPrivate::createPasswordWidgets(const QString& key)
{
    QGraphicsWidget* editor = manager->createEditor(key, QVariant::String);
    auto edit = qobject_cast<Touch::TextEdit*>(editor);
    if (!edit) {
        delete editor;
        return;
    }
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("PasswordEdit"));
    edit->setInputMethodPredictionEnabled(false);
    edit->setInputMethodCorrectionEnabled(false);
    edit->setInputMethodAutoCapitalizationEnabled(false);
    edit->setEchoMode(Touch::TextEdit::Password);
    auto frame = new SimpleFrame(qtTrId("qtn_conn_password"), q);
    frame->setContent(edit);
    passwordFrame = frame;
    addWidget(frame);
    detailPolicy->addItem(addSpacer());
}

void WlanSecurityWidgetPrivate::promptPasswordChanged(bool value)
{
    if (!passwordFrame || !detailPolicy)
        return;
    if (!value) {
        if (!passwordShown) {
            detailPolicy->insertItem(detailPolicy->count() - 1, passwordFrame);
            passwordShown = true;
        }
    } else if (passwordShown) {
        if (detailPolicy->indexOf(passwordFrame) >= 0)
            detailPolicy->removeItem(passwordFrame);
        passwordShown = false;
    }
}

void WlanSecurityWidgetPrivate::createWapiPskWidgets()
{
    if (!manager->properties().contains(WLANProperties::WapiKeyType))
        manager->setPropertyValue(WLANProperties::WapiKeyType, 0);

    manager->setButtonGroupLimit(1);
    QGraphicsWidget* editor = manager->createEditor(
        WLANProperties::WapiKeyType, QStringList{qtTrId("qtn_conn_wapi_psk_ascii"), qtTrId("qtn_conn_wapi_psk_hex")},
        QList<QVariant>{0, 1});
    auto keyType = qobject_cast<Touch::ComboBox*>(editor);
    if (!keyType) {
        qWarning("Unable to create wlan security combo box!");
        delete editor;
    } else {
        keyType->setTitle(qtTrId("qtn_conn_wapi_psk_type"));
        addWidget(keyType);
        connect(keyType, &Touch::ComboBox::currentIndexChanged, this, &WlanSecurityWidgetPrivate::wapiKeyTypeChanged);
    }

    auto edit = new WapiPresharedKeyTextEdit();
    wapiKeyEdit = edit;
    const QVariant type = manager->propertyValue(WLANProperties::WapiKeyType);
    const QVariant key = manager->propertyValue(WLANProperties::EapWpaKey);
    if (type.isValid() && type.toInt() == 1) {
        edit->setHexMode();
        edit->setText(QString::fromLatin1(key.toByteArray().toHex()));
    } else {
        edit->setText(key.toString());
    }
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("WapiPskEdit"));

    delete wapiPskMapper;  // its edit went with the previous rows
    wapiPskMapper = new WapiPskPropertyMapper(edit);
    manager->bindEditor(edit, wapiPskMapper);

    auto frame = new SimpleFrame(qtTrId("qtn_conn_wapi_psk"));
    frame->setContent(edit);
    addWidget(frame);
}

void WlanSecurityWidgetPrivate::wapiKeyTypeChanged(int modelIndex)
{
    if (currentSecurity != WLANProperties::SecurityValueWapiPsk
        && currentSecurity != WLANProperties::SecurityValueWapiCert)
        return;
    WapiPresharedKeyTextEdit* edit = wapiKeyEdit;
    if (!edit)
        return;
    edit->clear();
    if (modelIndex == 1)
        edit->setHexMode();
    else
        edit->setAsciiMode();
    edit->setFocus(Qt::OtherFocusReason);
}

void WlanSecurityWidgetPrivate::createWapiCertificateWidgets()
{
    if (!rootCertificateModel) {
        rootCertificateModel = new WapiCertificateModel(this);
        rootCertificateModel->setFilter(WapiCertificateModel::RootCertificates);
    }
    auto root = certificateCombo(rootCertificateModel, qtTrId("qtn_conn_select_root_cert"));
    rootCertificateComboBox = root;
    manager->bindEditor(root, RootCertificate, rootCertificateModel, 1);
    addWidget(root);

    if (!clientCertificateModel) {
        clientCertificateModel = new WapiCertificateModel(this);
        clientCertificateModel->setFilter(WapiCertificateModel::UserCertificates);
        clientCertificateModel->setUserCertificateFilter(manager->propertyValue(RootCertificate).toByteArray());
    }
    auto client = certificateCombo(clientCertificateModel, qtTrId("qtn_conn_select_client_cert"));
    clientCertificateComboBox = client;
    manager->bindEditor(client, ClientCertificate, clientCertificateModel, 1);
    addWidget(client);
}

} // namespace Velin
