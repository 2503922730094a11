#include "wlanui/editor/wlanconnectionsettingwidget.h"

#include "wlanui/discovery/ssidtextedit.h"
#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlanwpaeap.h"

#include "base/drilldownitem.h"
#include "base/propertyeditormanager.h"
#include "base/simpleframe.h"
#include "net/internetaccesspoint.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/separator.h"
#include "touch/textedit.h"

#include <QPointer>
#include <QRegExp>
#include <QtDebug>

namespace Velin {

namespace {

const char networkTypeNew[] = "WLAN_NEW";
const char networkTypeInfra[] = "WLAN_INFRA";
const char networkTypeAdhoc[] = "WLAN_ADHOC";
const int maximumSsidLength = 32;

Touch::Widget* spacer(const char* style)
{
    auto widget = new Touch::Widget;
    widget->setStyleName(QLatin1String(style));
    return widget;
}

Touch::LinearLayoutPolicy* verticalPolicy(QGraphicsWidget* widget)
{
    auto layout = new Touch::Layout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    return new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
}

} // namespace

class WlanConnectionSettingWidgetPrivate
{
public:
    WlanConnectionSettingWidgetPrivate(WlanConnectionSettingWidget* widget, InternetAccessPoint* accessPoint,
                                       PropertyEditorManager* propertyManager)
        : q(widget)
        , iap(accessPoint)
        , manager(propertyManager)
    {
    }

    bool isNew() const { return iap && iap->type() == QLatin1String(networkTypeNew); }
    bool isSaved() const { return iap && !isNew(); }

    void updateAutoConnectVisibility();
    void updateNetworkModeVisibility();

    WlanConnectionSettingWidget* const q;
    InternetAccessPoint* const iap;
    const QPointer<PropertyEditorManager> manager; // the editor may go first
    WlanSecurityWidget* securityWidget = nullptr;
    Touch::LinearLayoutPolicy* topPolicy = nullptr;
    Touch::Widget* autoConnectPanel = nullptr;
    Touch::Widget* networkModePanel = nullptr;
    bool autoConnectShown = false;
    bool networkModeShown = false;
    Touch::TextEdit* nameEdit = nullptr;
    SSIDTextEdit* networkNameEdit = nullptr;
    bool copyNameToNetworkName = false;
    Touch::Label* autoConnectInfoLabel = nullptr;
    WlanWpaEap catalogue;
};

void WlanConnectionSettingWidgetPrivate::updateAutoConnectVisibility()
{
    if (!topPolicy || !manager)
        return;
    const QMap<QString, QVariant> properties = manager->properties();
    const bool adhoc = properties.value(WLANProperties::Type) == QVariant(QString::fromLatin1(networkTypeAdhoc));
    if (adhoc || !catalogue.isAutoConnectable(properties)) {
        if (autoConnectShown) {
            topPolicy->removeItem(autoConnectPanel);
            autoConnectShown = false;
        }
        return;
    }
    if (!autoConnectShown) {
        topPolicy->insertItem(1, autoConnectPanel);
        autoConnectShown = true;
    }
    autoConnectInfoLabel->setText(properties.value(WLANProperties::AutoConnect).toBool()
                                      ? qtTrId("qtn_conn_info_automatically")
                                      : qtTrId("qtn_conn_info_manually"));
}

void WlanConnectionSettingWidgetPrivate::updateNetworkModeVisibility()
{
    if (!topPolicy || !manager)
        return;
    // The network mode can be chosen only where ad hoc networks can follow.
    const QString security = manager->properties().value(WLANProperties::Security).toString();
    if (security == WLANProperties::SecurityValueNone || security == WLANProperties::SecurityValueWep) {
        if (!networkModeShown) {
            topPolicy->insertItem(autoConnectShown ? 2 : 1, networkModePanel);
            networkModeShown = true;
        }
    } else if (networkModeShown) {
        topPolicy->removeItem(networkModePanel);
        networkModeShown = false;
    }
}

WlanConnectionSettingWidget::WlanConnectionSettingWidget(InternetAccessPoint* iap, PropertyEditorManager* manager,
                                                         QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new WlanConnectionSettingWidgetPrivate(this, iap, manager))
{
    if (!iap)
        qWarning("WlanConnectionSettingWidget initialized without IAP");
    if (manager)
        connect(manager, &PropertyEditorManager::propertyChanged, this, &WlanConnectionSettingWidget::propertyChanged);
    else
        qWarning("WlanConnectionSettingWidget: no property manager; the page has no editors");
    initWidget();
}

WlanConnectionSettingWidget::~WlanConnectionSettingWidget()
{
    // Out of the layout they would not be freed with the page.
    delete d->autoConnectPanel;
    delete d->networkModePanel;
    delete d;
}

void WlanConnectionSettingWidget::initWidget()
{
    PropertyEditorManager* manager = d->manager;

    // Connection name.
    auto nameFrame = new SimpleFrame(qtTrId("qtn_conn_connection_name"));
    if (manager) {
        QGraphicsWidget* editor = manager->createEditor(WLANProperties::Name, QVariant::String);
        d->nameEdit = qobject_cast<Touch::TextEdit*>(editor);
        if (d->nameEdit) {
            d->nameEdit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
            d->nameEdit->setObjectName(QStringLiteral("ConnectionNameEdit"));
            d->nameEdit->setInputMethodPredictionEnabled(false);
            d->nameEdit->setInputMethodCorrectionEnabled(false);
            nameFrame->setContent(d->nameEdit);
        } else {
            qWarning("WlanConnectionSettingWidget: the connection name editor is not a text edit");
            delete editor;
        }
    }

    auto namePanel = new Touch::Widget;
    Touch::LinearLayoutPolicy* namePolicy = verticalPolicy(namePanel);
    namePolicy->addItem(spacer("CommonLargeSpacer"));
    namePolicy->addItem(nameFrame);
    if (d->isNew()) {
        // Network name: only a network entered by hand has none yet.
        auto networkNameFrame = new SimpleFrame(qtTrId("qtn_conn_network_name"));
        d->networkNameEdit = new SSIDTextEdit;
        if (manager)
            manager->bindEditor(d->networkNameEdit, WLANProperties::Ssid, QVariant::ByteArray);
        d->networkNameEdit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        d->networkNameEdit->setObjectName(QStringLiteral("NetworkNameEdit"));
        networkNameFrame->setContent(d->networkNameEdit);
        if (d->nameEdit) {
            connect(d->nameEdit, &Touch::TextEdit::gainedFocus, this,
                    &WlanConnectionSettingWidget::connectionNameEditFocused);
            connect(d->nameEdit, &Touch::TextEdit::textChanged, this, &WlanConnectionSettingWidget::nameChanged);
        }
        namePolicy->addItem(spacer("CommonLargeSpacer"));
        namePolicy->addItem(networkNameFrame);
    }
    namePolicy->addItem(spacer("CommonLargeSpacer"));

    // Automatic connection.
    d->autoConnectPanel = new Touch::Widget;
    auto labels = new Touch::Widget;
    Touch::LinearLayoutPolicy* labelsPolicy = verticalPolicy(labels);
    auto title = new Touch::Label(qtTrId("qtn_conn_use_automatically"));
    title->setWordWrap(true);
    title->setStyleName(QStringLiteral("CommonSingleTitle"));
    d->autoConnectInfoLabel = new Touch::Label;
    d->autoConnectInfoLabel->setWordWrap(true);
    d->autoConnectInfoLabel->setStyleName(QStringLiteral("CommonSubText"));
    d->autoConnectInfoLabel->setObjectName(QStringLiteral("AutoConnectInfoLabel"));
    labelsPolicy->addItem(title);
    labelsPolicy->addItem(d->autoConnectInfoLabel);

    auto row = new Touch::Widget;
    auto rowLayout = new Touch::Layout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    auto rowPolicy = new Touch::LinearLayoutPolicy(rowLayout, Qt::Horizontal);
    rowPolicy->addItem(labels);
    if (manager) {
        QGraphicsWidget* editor = manager->createEditor(WLANProperties::AutoConnect, QVariant::Bool);
        if (auto autoConnectSwitch = qobject_cast<Touch::Button*>(editor)) {
            autoConnectSwitch->setCheckable(true);
            autoConnectSwitch->setViewType(QString::fromLatin1(Touch::Button::SwitchType));
            autoConnectSwitch->setStyleName(QStringLiteral("CommonRightSwitch"));
            rowPolicy->addItem(autoConnectSwitch);
        } else {
            qWarning("WlanConnectionSettingWidget: the automatic connection editor is not a button");
            delete editor;
        }
    }
    Touch::LinearLayoutPolicy* autoConnectPolicy = verticalPolicy(d->autoConnectPanel);
    autoConnectPolicy->addItem(row);
    autoConnectPolicy->addItem(spacer("CommonSpacer"));

    // Network mode. The limit is shared by every page: set right before the
    // choice so that this one is always a combo box.
    d->networkModePanel = new Touch::Widget;
    Touch::LinearLayoutPolicy* networkModePolicy = verticalPolicy(d->networkModePanel);
    if (manager) {
        manager->setButtonGroupLimit(1);
        QGraphicsWidget* editor = manager->createEditor(
            WLANProperties::Type, {qtTrId("qtn_conn_infrastructure"), qtTrId("qtn_conn_ad_hoc")},
            {QString::fromLatin1(networkTypeInfra), QString::fromLatin1(networkTypeAdhoc)});
        if (auto combo = qobject_cast<Touch::ComboBox*>(editor)) {
            combo->setTitle(qtTrId("qtn_conn_network_mode"));
            networkModePolicy->addItem(combo, Qt::AlignHCenter);
        } else {
            qWarning("WlanConnectionSettingWidget: the network mode editor is not a combo box");
            delete editor;
        }
    }

    // The rows that come and go live in a layout of their own, placed in the page's.
    auto topLayout = new Touch::Layout;
    topLayout->setContentsMargins(0, 0, 0, 0);
    d->topPolicy = new Touch::LinearLayoutPolicy(topLayout, Qt::Vertical);
    d->topPolicy->addItem(namePanel);
    d->autoConnectShown = false;
    d->networkModeShown = false;
    d->updateAutoConnectVisibility();
    d->updateNetworkModeVisibility();

    // Security.
    auto securityFrame = new SimpleFrame(qtTrId("qtn_conn_security"));
    if (manager) {
        d->securityWidget = new WlanSecurityWidget(manager, nullptr);
        securityFrame->setContent(d->securityWidget);
        if (d->iap && d->iap->type() == QLatin1String(networkTypeAdhoc))
            d->securityWidget->networkModeChanged(true);
    }

    auto advanced = new DrillDownItem(qtTrId("qtn_conn_advanced"));
    connect(advanced, &DrillDownItem::clicked, this, &WlanConnectionSettingWidget::advancedButtonClicked);

    Touch::Button* forget = nullptr;
    if (d->isSaved()) {
        forget = new Touch::Button(qtTrId("qtn_conn_forget"));
        forget->setStyleName(QStringLiteral("CommonSingleButton"));
        forget->setObjectName(QStringLiteral("ForgetButton"));
        connect(forget, &Touch::Button::clicked, this, &WlanConnectionSettingWidget::forgetButtonClicked);
    }

    auto divider = new Touch::Separator;
    divider->setStyleName(QStringLiteral("CommonItemDivider"));

    Touch::LinearLayoutPolicy* policy = verticalPolicy(this);
    policy->addItem(topLayout);
    policy->addItem(securityFrame);
    policy->addItem(divider);
    policy->addItem(advanced);
    if (forget)
        policy->addItem(forget, Qt::AlignCenter);
}

QMap<QString, QVariant> WlanConnectionSettingWidget::properties() const
{
    if (!d->manager) {
        qWarning("WlanConnectionSettingWidget: Unable to return properties");
        return QMap<QString, QVariant>();
    }
    QMap<QString, QVariant> properties = d->manager->properties();

    // A typed first key is the one used until another is chosen.
    const QVariant defaultKey = properties.value(WLANProperties::WepDefaultKeyIndex);
    if (!properties.value(WLANProperties::WepKey1).toString().isEmpty()
        && (!defaultKey.isValid() || defaultKey.toInt() < 1))
        properties.insert(WLANProperties::WepDefaultKeyIndex, 1);

    if (!d->autoConnectShown)
        properties.insert(WLANProperties::AutoConnect, false);
    return properties;
}

bool WlanConnectionSettingWidget::isAutoConnectShown() const
{
    return d->autoConnectShown;
}

bool WlanConnectionSettingWidget::isNetworkModeShown() const
{
    return d->networkModeShown;
}

bool WlanConnectionSettingWidget::isCopyingNameToNetworkName() const
{
    return d->copyNameToNetworkName;
}

void WlanConnectionSettingWidget::propertyChanged(const QString& property)
{
    if (!d->manager)
        return;
    if (property == WLANProperties::EapDefaultType) {
        // TLS has no inner method.
        if (d->catalogue.valueToType(d->manager->propertyValue(property).toInt()) == WlanWpaEap::TypeTls)
            d->manager->setPropertyValue(QStringLiteral("PEAP_tunneled_eap_type"), 0);
    } else if (property == WLANProperties::Type) {
        const bool adhoc = d->manager->propertyValue(property).toString() == QLatin1String(networkTypeAdhoc);
        if (d->securityWidget)
            d->securityWidget->networkModeChanged(adhoc);
        d->updateAutoConnectVisibility();
        // An ad hoc network is never hidden, and a new mode starts visible.
        d->manager->setPropertyValue(WLANProperties::Hidden, false);
        return;
    }

    if (property == WLANProperties::Security || property == WLANProperties::EapDefaultType
        || property == QLatin1String("PEAP_tunneled_eap_type")
        || property == QLatin1String("EAP_MSCHAPV2_password_prompt")) {
        d->updateAutoConnectVisibility();
        d->updateNetworkModeVisibility();
    } else if (property == WLANProperties::AutoConnect) {
        d->updateAutoConnectVisibility();
    }
}

void WlanConnectionSettingWidget::connectionNameEditFocused()
{
    // Decided on every focus: a network name typed meanwhile stops the copying.
    d->copyNameToNetworkName = d->networkNameEdit && d->networkNameEdit->text().isEmpty();
}

void WlanConnectionSettingWidget::nameChanged()
{
    if (!d->nameEdit || !d->networkNameEdit || !d->copyNameToNetworkName)
        return;
    static const QRegExp nonAscii(QStringLiteral("[^\\x0000-\\x007F]"), Qt::CaseSensitive, QRegExp::RegExp);
    const QString name = d->nameEdit->text();
    // Only what can be an SSID as typed is copied.
    if (name.contains(nonAscii) || name.length() > maximumSsidLength)
        return;
    d->networkNameEdit->setText(name);
}

} // namespace Velin
