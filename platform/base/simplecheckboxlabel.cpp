#include "base/simplecheckboxlabel.h"

#include "base/drilldownitem_p.h"
#include "touch/button.h"
#include "touch/label.h"

#include <QGraphicsLinearLayout>
#include <QGraphicsSceneMouseEvent>
#include <QPointer>

namespace Velin {

class SimpleCheckBoxLabelPrivate
{
public:
    QPointer<Touch::Button> button;
    Touch::Label* label = nullptr;
    bool labelPressed = false;
};

SimpleCheckBoxLabel::SimpleCheckBoxLabel(Touch::Button* button, const QString& label,
                                         const QString& viewType, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new SimpleCheckBoxLabelPrivate)
{
    auto layout = new QGraphicsLinearLayout(Qt::Horizontal, this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(12);

    d->label = new Touch::Label(label, this);
    d->label->setObjectName(QStringLiteral("SimpleCheckBoxLabelText"));
    d->label->setStyleName(QStringLiteral("CommonBodyText"));
    d->label->setWordWrap(true);
    // Taps on the text come to the row, which passes them to the button.
    d->label->setAcceptedMouseButtons(Qt::NoButton);
    QSizePolicy labelPolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    labelPolicy.setHeightForWidth(true);
    d->label->setSizePolicy(labelPolicy);
    layout->addItem(d->label);
    layout->setAlignment(d->label, Qt::AlignVCenter);

    d->button = button;
    if (button) {
        button->setCheckable(true);
        if (!viewType.isEmpty())
            button->setViewType(viewType);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        layout->addItem(button);
        layout->setAlignment(button, Qt::AlignVCenter);
    } else {
        qWarning("SimpleCheckBoxLabel: no button given for the label \"%s\"", qPrintable(label));
    }

    setMinimumHeight(RowMinimumHeight);
    setAcceptedMouseButtons(Qt::LeftButton);
}

SimpleCheckBoxLabel::~SimpleCheckBoxLabel()
{
    delete d;
}

Touch::Button* SimpleCheckBoxLabel::button() const
{
    return d->button;
}

Touch::Label* SimpleCheckBoxLabel::label() const
{
    return d->label;
}

void SimpleCheckBoxLabel::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !d->button || !d->button->isEnabled()) {
        event->ignore();
        return;
    }
    d->labelPressed = true;
    event->accept();
}

void SimpleCheckBoxLabel::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    const bool pressed = d->labelPressed;
    d->labelPressed = false;
    if (pressed && event->button() == Qt::LeftButton && rect().contains(event->pos())
        && d->button && d->button->isEnabled())
        d->button->click();
}

} // namespace Velin
