#include "wlanui/editor/eapeditwidget.h"

#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "touch/button.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QGraphicsLinearLayout>
#include <QPointer>

namespace Velin {

namespace {

const QString UseManualUserNameKey = QStringLiteral("EAP_use_manual_username");
const QString ManualUserNameKey = QStringLiteral("EAP_manual_username");
const QString ServerAuthenticatesClientKey = QStringLiteral("TLS_server_authenticates_client_policy_in_client");

// The panel goes right below the manual user-name switch.
const int UserNamePanelIndex = 1;

Touch::Widget* styledWidget(const char* style)
{
    auto widget = new Touch::Widget;
    widget->setStyleName(QLatin1String(style));
    return widget;
}

} // namespace

class EapEditWidgetPrivate
{
public:
    explicit EapEditWidgetPrivate(PropertyEditorManager* manager) : manager(manager) {}

    SimpleCheckBoxLabel* createSwitchRow(const QString& key, const char* objectName, const char* labelId) const;
    bool manualUserNameUsed() const;

    QPointer<PropertyEditorManager> manager;
    Touch::LinearLayoutPolicy* policy = nullptr;
    QGraphicsWidget* userNamePanel = nullptr;
    bool built = false;
};

SimpleCheckBoxLabel* EapEditWidgetPrivate::createSwitchRow(const QString& key, const char* objectName,
                                                           const char* labelId) const
{
    auto button = qobject_cast<Touch::Button*>(manager->createEditor(key, QVariant::Bool));
    if (!button) {
        qWarning("EapEditWidget: no switch for \"%s\"", qPrintable(key));
        return nullptr;
    }
    const QString switchType = QString::fromLatin1(Touch::Button::SwitchType);
    button->setViewType(switchType);
    button->setObjectName(QLatin1String(objectName));
    return new SimpleCheckBoxLabel(button, qtTrId(labelId), switchType);
}

bool EapEditWidgetPrivate::manualUserNameUsed() const
{
    return manager && manager->propertyValue(UseManualUserNameKey).toBool();
}

EapEditWidget::EapEditWidget(PropertyEditorManager* manager, QGraphicsItem* parent)
    : SimpleFrame(qtTrId("qtn_conn_wpa_eap"), parent)
    , d(new EapEditWidgetPrivate(manager))
{
    // Choice editors made for this page come as button groups, like the WEP
    // page's; every page sets the limit again before its own choice editors.
    if (manager)
        manager->setButtonGroupLimit(5);
    if (manager)
        connect(manager, &PropertyEditorManager::propertyChanged, this, &EapEditWidget::propertyChanged);
    initWidget();
}

EapEditWidget::~EapEditWidget()
{
    // Whoever watches this page's destroyed() may restore values through the
    // manager; its notifications must not reach the page being torn down.
    if (d->manager)
        disconnect(d->manager, nullptr, this, nullptr);
    delete d;
}

void EapEditWidget::initWidget()
{
    if (d->built) {
        qWarning("EapEditWidget: the page is already built");
        return;
    }
    d->built = true;
    if (!d->manager) {
        qWarning("EapEditWidget: no property editor manager, the page stays empty");
        return;
    }

    auto content = new Touch::Widget;
    auto layout = new Touch::Layout;
    layout->setContentsMargins(0, 0, 0, 0);
    content->setLayout(layout);
    d->policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    d->policy->setContentsMargins(0, 0, 0, 0);

    if (SimpleCheckBoxLabel* row =
            d->createSwitchRow(UseManualUserNameKey, "ManualUserNameSwitch", "qtn_conn_manual_user_name"))
        d->policy->addItem(row);

    // The panel stays in the content's layout while the policy leaves it out
    // (hidden, not deleted), so the typed name survives the switch going off
    // and on.
    QGraphicsWidget* userNameEdit = d->manager->createEditor(ManualUserNameKey, QVariant::String);
    auto userNameFrame = new SimpleFrame(qtTrId("qtn_conn_manual_user_name"));
    if (auto styled = qobject_cast<Touch::Widget*>(userNameEdit))
        styled->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    if (userNameEdit) {
        userNameEdit->setObjectName(QStringLiteral("UserNameEdit"));
        userNameFrame->setContent(userNameEdit);
    }
    d->userNamePanel = new QGraphicsWidget;
    auto panelLayout = new QGraphicsLinearLayout(Qt::Vertical, d->userNamePanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addItem(userNameFrame);
    panelLayout->addItem(styledWidget("CommonLargeSpacer"));
    d->policy->addItem(d->userNamePanel);
    if (!d->manualUserNameUsed())
        d->policy->removeItem(d->userNamePanel);

    if (SimpleCheckBoxLabel* row = d->createSwitchRow(ServerAuthenticatesClientKey, "RequireAuthenticationSwitch",
                                                      "qtn_conn_require_client_auth"))
        d->policy->addItem(row);

    setContent(content);
}

void EapEditWidget::propertyChanged(const QString& property)
{
    if (property != UseManualUserNameKey || !d->policy || !d->userNamePanel)
        return;
    if (!d->manualUserNameUsed()) {
        d->policy->removeItem(d->userNamePanel);
    } else if (d->policy->indexOf(d->userNamePanel) < 0) {
        d->policy->insertItem(UserNamePanelIndex, d->userNamePanel);
    }
}

} // namespace Velin
