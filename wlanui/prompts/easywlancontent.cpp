#include "wlanui/prompts/easywlancontent_p.h"

#include "base/dialoghelperwidget.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/widget.h"

namespace Velin {

EasyWlanContent::EasyWlanContent(const QString& ssid)
    : ssid(ssid)
{
}

bool EasyWlanContent::isBuilt() const
{
    return !panel.isNull();
}

QGraphicsWidget* EasyWlanContent::build(const QList<Touch::Widget*>& widgets)
{
    auto newPanel = new Touch::Widget;
    layout = new Touch::Layout;
    newPanel->setLayout(layout);
    policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);
    for (Touch::Widget* widget : widgets) {
        if (widget)
            policy->addItem(widget);
    }
    panel = newPanel;
    return new DialogHelperWidget(newPanel);
}

void EasyWlanContent::append(QGraphicsWidget* widget)
{
    if (!isBuilt() || !widget)
        return;
    policy->addItem(widget);
}

void EasyWlanContent::remove(QGraphicsWidget* widget)
{
    if (!isBuilt() || !widget)
        return;
    layout->deleteItem(widget);
}

} // namespace Velin
