#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/editor/wlansecuritywidget_p.h"

#include "wlanui/editor/pskpropertymapper.h"
#include "wlanui/model/wlanproperties.h"
#include "wlanui/prompts/wepkeytextedit.h"
#include "wlanui/prompts/wpapsktextedit.h"
#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapipskpropertymapper.h"

#include "base/connectivitysettings.h"
#include "base/propertyeditormanager.h"
#include "base/simpleframe.h"
#include "touch/combobox.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QGraphicsScene>
#include <QStringListModel>

namespace Velin {

namespace {

// The order of the combo box; the ad hoc list is the first two rows.
struct SecurityMethod
{
    const char* label;
    const QString* value;
};

QList<QGraphicsWidget*> widgetTree(QGraphicsWidget* root)
{
    QList<QGraphicsWidget*> widgets{root};
    for (int i = 0; i < widgets.size(); ++i) {
        const QList<QGraphicsItem*> children = widgets.at(i)->childItems();
        for (QGraphicsItem* child : children) {
            if (child->isWidget())
                widgets << static_cast<QGraphicsWidget*>(child);
        }
    }
    return widgets;
}

bool wapiEnabled()
{
    const ConnectivitySettings settings(ConnectivitySettings::NetworkTypeSettings, QStringLiteral("WLAN_INFRA"));
    const QVariant enabled = settings.get(QStringLiteral("wapi_enabled"));
    return enabled.isValid() && enabled.toBool();
}

} // namespace

WlanSecurityWidgetPrivate::WlanSecurityWidgetPrivate(WlanSecurityWidget* owner)
    : QObject(owner)
    , q(owner)
    , currentSecurity(WLANProperties::SecurityValueNone)
{
}

WlanSecurityWidgetPrivate::~WlanSecurityWidgetPrivate()
{
    // The widget's destructor has released the rows already.
    delete pskMapper;
    delete wapiPskMapper;
    delete passwordFrame.data();
}

void WlanSecurityWidgetPrivate::releaseAll()
{
    if (manager) {
        for (Touch::Widget* row : qAsConst(rowWidgets)) {
            for (QGraphicsWidget* widget : widgetTree(row))
                manager->unbindEditor(widget);
        }
    }
    // Only now: the manager asks a mapper whenever its edit changes.
    delete pskMapper;
    pskMapper = nullptr;
    delete wapiPskMapper;
    wapiPskMapper = nullptr;
    rowWidgets.clear();
    keptWidgets.clear();
}

void WlanSecurityWidgetPrivate::disposeRow(Touch::Widget* row)
{
    if (!row)
        return;
    if (layout && layout->indexOf(row) >= 0)
        layout->removeItem(row);
    if (manager) {
        for (QGraphicsWidget* widget : widgetTree(row))
            manager->unbindEditor(widget);
    }
    if (row == passwordFrame.data()) {
        passwordFrame.clear();
        passwordShown = false;
    }
    // No pointer may lead to a row that is going.
    const auto forget = [row](auto& pointer) {
        if (pointer && (pointer.data() == row || row->isAncestorOf(pointer.data())))
            pointer.clear();
    };
    forget(eapTypeComboBox);
    forget(eapMethodComboBox);
    forget(certificateComboBox);
    forget(rootCertificateComboBox);
    forget(clientCertificateComboBox);
    forget(wapiKeyEdit);
    // Out of the scene now, so nothing finds or draws it before it goes.
    row->hide();
    row->setParentItem(nullptr);
    if (QGraphicsScene* scene = row->scene())
        scene->removeItem(row);
    row->deleteLater();
}

void WlanSecurityWidgetPrivate::clearRows()
{
    const QList<Touch::Widget*> rows = rowWidgets;
    rowWidgets.clear();
    keptWidgets.clear();
    for (Touch::Widget* row : rows)
        disposeRow(row);
    // Their edits are unbound: no binding can reach the mappers any more.
    delete pskMapper;
    pskMapper = nullptr;
    delete wapiPskMapper;
    wapiPskMapper = nullptr;
}

void WlanSecurityWidgetPrivate::filterWidgets()
{
    const QList<Touch::Widget*> rows = rowWidgets;
    for (Touch::Widget* row : rows) {
        if (keptWidgets.contains(row))
            continue;
        rowWidgets.removeAll(row);
        disposeRow(row);
    }
}

void WlanSecurityWidgetPrivate::addWidget(Touch::Widget* widget)
{
    if (!widget || !detailPolicy)
        return;
    detailPolicy->addItem(widget);
    rowWidgets.append(widget);
}

Touch::Widget* WlanSecurityWidgetPrivate::addSpacer()
{
    auto spacer = new Touch::Widget(q);
    spacer->setStyleName(QStringLiteral("CommonLargeSpacer"));
    rowWidgets.append(spacer);
    return spacer;
}

void WlanSecurityWidgetPrivate::securityModeChanged(const QString& security)
{
    if (security == currentSecurity)
        return;

    // Shown again only if it was: a layout may be keeping the widget hidden.
    const bool wasVisible = q->isVisible();
    q->setVisible(false);
    clearRows();
    currentSecurity = security;

    if (!manager) {
        // Nothing to bind rows to.
    } else if (security == WLANProperties::SecurityValueNone) {
        createOpenWidgets();
        simplePolicy->activate();
    } else if (security == WLANProperties::SecurityValueWep) {
        createWepWidgets(manager->propertyValue(WLANProperties::WepDefaultKeyIndex).toInt());
        simplePolicy->activate();
    } else if (security == WLANProperties::SecurityValueWpaPsk) {
        createWpaPskWidgets();
        simplePolicy->activate();
    } else if (security == WLANProperties::SecurityValueWpaEap) {
        createWpaEapWidgets();
        detailPolicy->activate();
    } else if (security == WLANProperties::SecurityValueWapiPsk) {
        createWapiPskWidgets();
        detailPolicy->activate();
    } else if (security == WLANProperties::SecurityValueWapiCert) {
        createWapiCertificateWidgets();
        detailPolicy->activate();
    } else {
        qWarning("WlanSecurityWidget: unknown security method \"%s\"; no rows shown", qPrintable(security));
    }

    if (wasVisible)
        q->setVisible(true);
}

void WlanSecurityWidgetPrivate::createOpenWidgets()
{
    // An open network needs nothing below the method.
}

void WlanSecurityWidgetPrivate::createWepWidgets(int defaultKey)
{
    auto edit = new WepKeyTextEdit();
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("WepEdit"));

    static const QString* const keys[] = {&WLANProperties::WepKey1, &WLANProperties::WepKey2,
                                          &WLANProperties::WepKey3, &WLANProperties::WepKey4};
    const QString& key = (defaultKey >= 1 && defaultKey <= 4) ? *keys[defaultKey - 1] : WLANProperties::WepKey1;
    manager->bindEditor(edit, key, QVariant::String);

    auto frame = new SimpleFrame(qtTrId("qtn_conn_wep_key"), q);
    frame->setContent(edit);
    rowWidgets.append(frame);
    simplePolicy->addItem(frame);
    simplePolicy->addItem(addSpacer());
}

void WlanSecurityWidgetPrivate::wepDefaultKeyChanged(int defaultKey)
{
    if (currentSecurity != WLANProperties::SecurityValueWep)
        return;
    const bool wasVisible = q->isVisible();
    q->setVisible(false);
    clearRows();
    createWepWidgets(defaultKey);
    if (wasVisible)
        q->setVisible(true);
}

void WlanSecurityWidgetPrivate::createWpaPskWidgets()
{
    auto edit = new WpaPskTextEdit();
    const QMap<QString, QVariant> properties = manager->properties();
    const QVariant passphrase = properties.value(WLANProperties::EapWpaPassphrase);
    const QVariant key = properties.value(WLANProperties::EapWpaKey);
    if (passphrase.isValid())
        edit->setText(passphrase.toString());
    else if (key.isValid())
        edit->setText(QString::fromLatin1(key.toByteArray().toHex()));
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("WpaPskEdit"));

    delete pskMapper;  // its edit went with the previous rows
    pskMapper = new PskPropertyMapper(edit);
    manager->bindEditor(edit, pskMapper);

    auto frame = new SimpleFrame(qtTrId("qtn_conn_wpa_pre_shared"), q);
    frame->setContent(edit);
    rowWidgets.append(frame);
    simplePolicy->addItem(frame);
    simplePolicy->addItem(addSpacer());
}

void WlanSecurityWidgetPrivate::propertyChanged(const QString& property)
{
    if (!manager)
        return;

    QString suffix = manager->propertyValue(WLANProperties::WepDefaultKeyIndex).toString();
    if (suffix.isEmpty())
        suffix = QStringLiteral("1");

    if (property == WLANProperties::WepDefaultKeyIndex) {
        wepDefaultKeyChanged(manager->propertyValue(property).toInt());
        return;
    }

    if (currentSecurity == WLANProperties::SecurityValueWep && property.contains(QLatin1String("wlan_wepkey"))
        && property.endsWith(suffix)) {
        if (!rowWidgets.isEmpty()) {
            auto frame = qobject_cast<SimpleFrame*>(rowWidgets.first());
            auto edit = frame ? qobject_cast<WepKeyTextEdit*>(frame->content()) : nullptr;
            const QString text = manager->propertyValue(property).toString();
            if (edit && edit->text() != text)
                edit->setText(text);
        }
        return;
    }

    if (property == WLANProperties::Security) {
        securityModeChanged(manager->propertyValue(property).toString());
        return;
    }

    const QVariant value = manager->propertyValue(property);
    if (property == WLANProperties::EapDefaultType) {
        wpaEapTypeChanged(eap.valueToType(value.toInt()));
    } else if (property == QLatin1String("PEAP_tunneled_eap_type")) {
        wpaEapMethodChanged(eap.valueToMethod(value.toInt()));
    } else if (property == QLatin1String("EAP_GTC_identity")) {
        manager->setPropertyValue(QStringLiteral("EAP_MSCHAPV2_username"), value);
    } else if (property == QLatin1String("EAP_MSCHAPV2_username")) {
        manager->setPropertyValue(QStringLiteral("EAP_GTC_identity"), value);
    } else if (property == QLatin1String("EAP_GTC_passcode")) {
        manager->setPropertyValue(QStringLiteral("EAP_MSCHAPV2_password"), value);
    } else if (property == QLatin1String("EAP_MSCHAPV2_password")) {
        manager->setPropertyValue(QStringLiteral("EAP_GTC_passcode"), value);
    } else if (property == QLatin1String("WAPI_EC_CS_selected_ca_subject_common_name")) {
        const QString clientKey = QStringLiteral("WAPI_EC_CS_selected_client_subject_common_name");
        if (clientCertificateComboBox)
            clientCertificateComboBox->setCurrentIndex(0);
        manager->setPropertyValue(clientKey, QVariant());
        if (clientCertificateModel)
            clientCertificateModel->setUserCertificateFilter(value.toByteArray());
        if (clientCertificateComboBox && clientCertificateModel)
            manager->bindEditor(clientCertificateComboBox, clientKey, clientCertificateModel, 1);
    }
}

WlanSecurityWidget::WlanSecurityWidget(PropertyEditorManager* manager, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new WlanSecurityWidgetPrivate(this))
{
    d->manager = manager;
    d->layout = new Touch::Layout(this);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->detailPolicy = new Touch::LinearLayoutPolicy(d->layout, Qt::Vertical);
    d->simplePolicy = new Touch::LinearLayoutPolicy(d->layout, Qt::Vertical);
    if (!manager) {
        qWarning("WlanSecurityWidget: no property editor manager; the security section stays empty");
        return;
    }
    manager->setButtonGroupLimit(1);
    connect(manager, &PropertyEditorManager::propertyChanged, d, &WlanSecurityWidgetPrivate::propertyChanged);

    static const SecurityMethod methods[] = {
        {"qtn_conn_none", &WLANProperties::SecurityValueNone},
        {"qtn_conn_wep", &WLANProperties::SecurityValueWep},
        {"qtn_conn_wpa_pre_shared", &WLANProperties::SecurityValueWpaPsk},
        {"qtn_conn_wpa_eap", &WLANProperties::SecurityValueWpaEap},
        {"qtn_conn_wapi_psk", &WLANProperties::SecurityValueWapiPsk},
        {"qtn_conn_wapi_cert", &WLANProperties::SecurityValueWapiCert},
    };
    const int count = wapiEnabled() ? 6 : 4;
    QStringList labels;
    QList<QVariant> values;
    for (int i = 0; i < count; ++i) {
        labels << qtTrId(methods[i].label);
        values << *methods[i].value;
    }

    // Another page may have raised the shared limit since.
    manager->setButtonGroupLimit(1);
    QGraphicsWidget* editor = manager->createEditor(WLANProperties::Security, labels, values);
    d->securityComboBox = qobject_cast<Touch::ComboBox*>(editor);
    if (!d->securityComboBox) {
        qWarning("Unable to create wlan security combo box!");
        delete editor;
    } else {
        d->securityComboBox->setTitle(qtTrId("qtn_conn_security_method"));
        d->securityComboBox->setIconVisible(false);
        d->securityComboBox->setObjectName(QStringLiteral("SecurityCombo"));
        d->fullSecurityModel = d->securityComboBox->itemModel();
        d->detailPolicy->addItem(d->securityComboBox);
        d->simplePolicy->addItem(d->securityComboBox);
    }
    d->adhocSecurityModel = new QStringListModel(QStringList{labels.at(0), labels.at(1)}, d);

    QVariant security = manager->propertyValue(WLANProperties::Security);
    if (!security.isValid())
        security = WLANProperties::SecurityValueNone;
    d->securityModeChanged(security.toString());
}

WlanSecurityWidget::~WlanSecurityWidget()
{
    // Before any child goes: a mapper must not outlive its edit's binding,
    // and the companion, a QObject child, goes after the rows.
    d->releaseAll();
    if (d->manager && d->securityComboBox)
        d->manager->unbindEditor(d->securityComboBox);
    delete d->securityComboBox.data();
    delete d->adhocSecurityModel.data();
}

QString WlanSecurityWidget::currentSecurity() const
{
    return d->currentSecurity;
}

bool WlanSecurityWidget::isAdhocMode() const
{
    return d->adhoc;
}

void WlanSecurityWidget::networkModeChanged(bool adhoc)
{
    d->adhoc = adhoc;
    Touch::ComboBox* combo = d->securityComboBox;
    if (!combo || !d->fullSecurityModel || !d->adhocSecurityModel) {
        qWarning("WlanSecurityWidget: no security combo box; the network mode cannot restrict the methods");
        return;
    }
    const int index = combo->currentIndex();
    // Swapping the list is no choice of the user's: the manager must not see it.
    const bool blocked = combo->blockSignals(true);
    if (!adhoc) {
        combo->setItemModel(d->fullSecurityModel);
        combo->setCurrentIndex(index);
        combo->blockSignals(blocked);
        return;
    }
    combo->setItemModel(d->adhocSecurityModel);
    if (index == 0 || index == 1) {
        combo->setCurrentIndex(index);
        combo->blockSignals(blocked);
        return;
    }
    combo->setCurrentIndex(-1);
    combo->blockSignals(blocked);
    // This one is stored: an ad hoc network cannot keep the method it had.
    combo->setCurrentIndex(0);
    d->securityModeChanged(WLANProperties::SecurityValueNone);
}

} // namespace Velin
