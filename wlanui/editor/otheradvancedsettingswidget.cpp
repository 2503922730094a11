#include "wlanui/editor/otheradvancedsettingswidget.h"

#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlansecurity.h"

#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/locale.h"

#include <QPointer>

namespace Velin {

namespace {

const QString InfrastructureType = QStringLiteral("WLAN_INFRA");
const QString AdHocType = QStringLiteral("WLAN_ADHOC");
const QString AdHocChannelKey = QStringLiteral("wlan_adhoc_channel");
const QString Wpa2OnlyKey = QStringLiteral("EAP_wpa2_only_mode");

// Channel 0 lets the device choose; 1 to 11 are the channels offered.
const int LastAdHocChannel = 11;

} // namespace

class OtherAdvancedSettingsWidgetPrivate
{
public:
    explicit OtherAdvancedSettingsWidgetPrivate(PropertyEditorManager* manager) : manager(manager) {}

    SimpleCheckBoxLabel* createSwitchRow(const QString& key, const char* labelId) const;
    Touch::ComboBox* createChannelCombo() const;

    QPointer<PropertyEditorManager> manager;
    bool hasSettings = false;
    bool built = false;
};

SimpleCheckBoxLabel* OtherAdvancedSettingsWidgetPrivate::createSwitchRow(const QString& key,
                                                                         const char* labelId) const
{
    auto button = qobject_cast<Touch::Button*>(manager->createEditor(key, QVariant::Bool));
    if (!button) {
        qWarning("OtherAdvancedSettingsWidget: no switch for \"%s\"", qPrintable(key));
        return nullptr;
    }
    const QString switchType = QString::fromLatin1(Touch::Button::SwitchType);
    button->setViewType(switchType);
    return new SimpleCheckBoxLabel(button, qtTrId(labelId), switchType);
}

Touch::ComboBox* OtherAdvancedSettingsWidgetPrivate::createChannelCombo() const
{
    const Touch::Locale locale;
    QStringList labels(qtTrId("qtn_conn_adhoc_automatic"));
    QList<QVariant> values{0};
    for (int channel = 1; channel <= LastAdHocChannel; ++channel) {
        labels << locale.formatNumber(channel);
        values << channel;
    }
    // The limit is shared by every page of the manager: another page may
    // have left it high enough to make twelve entries buttons.
    manager->setButtonGroupLimit(0);
    QGraphicsWidget* editor = manager->createEditor(AdHocChannelKey, labels, values);

    auto combo = qobject_cast<Touch::ComboBox*>(editor);
    if (!combo) {
        qWarning("OtherAdvancedSettingsWidget: no combo box for \"%s\"", qPrintable(AdHocChannelKey));
        delete editor;
        return nullptr;
    }
    combo->setTitle(qtTrId("qtn_conn_wlan_adhoc_channel"));
    return combo;
}

OtherAdvancedSettingsWidget::OtherAdvancedSettingsWidget(PropertyEditorManager* manager, QGraphicsItem* parent)
    : SimpleFrame(qtTrId("qtn_conn_adv_other"), parent)
    , d(new OtherAdvancedSettingsWidgetPrivate(manager))
{
    if (manager)
        manager->setButtonGroupLimit(0);
    initWidget();
}

OtherAdvancedSettingsWidget::~OtherAdvancedSettingsWidget()
{
    delete d;
}

bool OtherAdvancedSettingsWidget::hasSettings() const
{
    return d->hasSettings;
}

void OtherAdvancedSettingsWidget::initWidget()
{
    if (d->built) {
        qWarning("OtherAdvancedSettingsWidget: the page is already built");
        return;
    }
    d->built = true;
    if (!d->manager) {
        qWarning("OtherAdvancedSettingsWidget: no property editor manager, the page stays empty");
        return;
    }

    auto content = new Touch::Widget;
    auto layout = new Touch::Layout;
    layout->setContentsMargins(0, 0, 0, 0);
    content->setLayout(layout);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);

    const QString type = d->manager->propertyValue(WLANProperties::Type).toString();
    if (type == InfrastructureType) {
        if (SimpleCheckBoxLabel* row = d->createSwitchRow(WLANProperties::Hidden, "qtn_conn_other")) {
            policy->addItem(row);
            d->hasSettings = true;
        }
    } else if (type == AdHocType) {
        if (Touch::ComboBox* combo = d->createChannelCombo()) {
            policy->addItem(combo);
            d->hasSettings = true;
        }
    }

    const int security =
        WlanSecurity::securityFromString(d->manager->propertyValue(WLANProperties::Security).toString());
    if (security == WlanSecurity::WpaPsk || security == WlanSecurity::WpaEap) {
        if (SimpleCheckBoxLabel* row = d->createSwitchRow(Wpa2OnlyKey, "qtn_conn_wpa2_only")) {
            policy->addItem(row);
            d->hasSettings = true;
        }
    }

    setContent(content);
}

} // namespace Velin
