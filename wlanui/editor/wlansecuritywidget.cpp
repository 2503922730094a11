#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/editor/wlansecuritywidget_p.h"

#include "base/propertyeditormanager.h"

namespace Velin {

WlanSecurityWidgetPrivate::WlanSecurityWidgetPrivate(WlanSecurityWidget* owner)
    : QObject(owner)
    , q(owner)
{
}

WlanSecurityWidgetPrivate::~WlanSecurityWidgetPrivate() = default;

WlanSecurityWidget::WlanSecurityWidget(PropertyEditorManager* manager, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new WlanSecurityWidgetPrivate(this))
{
    d->manager = manager;
}

WlanSecurityWidget::~WlanSecurityWidget() = default;

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
}

} // namespace Velin
