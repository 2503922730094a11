#include "base/dialoghelperwidget.h"

#include <QGraphicsLinearLayout>
#include <QPointer>

namespace Velin {

class DialogHelperWidgetPrivate
{
public:
    QPointer<QGraphicsWidget> panel;
};

DialogHelperWidget::DialogHelperWidget(QGraphicsWidget* panel, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new DialogHelperWidgetPrivate)
{
    auto layout = new QGraphicsLinearLayout(Qt::Vertical, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    d->panel = panel;
    if (panel)
        layout->addItem(panel);
    else
        qWarning("DialogHelperWidget: no panel given");
    if (panel)
        setSizePolicy(panel->sizePolicy());
}

DialogHelperWidget::~DialogHelperWidget()
{
    delete d;
}

QGraphicsWidget* DialogHelperWidget::panel() const
{
    return d->panel;
}

} // namespace Velin
