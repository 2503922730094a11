#include "base/dividerheader.h"

#include "touch/label.h"
#include "touch/separator.h"

#include <QGraphicsLinearLayout>

namespace Velin {

class DividerHeaderPrivate
{
public:
    Touch::Label* label = nullptr;
    Touch::Separator* divider = nullptr;
};

DividerHeader::DividerHeader(const QString& title, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new DividerHeaderPrivate)
{
    auto layout = new QGraphicsLinearLayout(Qt::Horizontal, this);
    // The label and the line carry their own side padding.
    layout->setContentsMargins(0, 8, 0, 4);
    layout->setSpacing(0);

    d->label = new Touch::Label(title, this);
    d->label->setObjectName(QStringLiteral("DividerHeaderLabel"));
    d->label->setStyleName(QStringLiteral("CommonGroupHeader"));
    d->label->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);

    d->divider = new Touch::Separator(this, Qt::Horizontal);
    d->divider->setObjectName(QStringLiteral("DividerHeaderLine"));
    d->divider->setStyleName(QStringLiteral("CommonGroupHeaderDivider"));
    d->divider->setSizePolicy(QSizePolicy::Expanding, d->divider->sizePolicy().verticalPolicy());

    layout->addItem(d->label);
    layout->addItem(d->divider);
    layout->setAlignment(d->label, Qt::AlignVCenter);
    layout->setAlignment(d->divider, Qt::AlignVCenter);
    layout->setStretchFactor(d->divider, 1);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

DividerHeader::~DividerHeader()
{
    delete d;
}

QString DividerHeader::title() const
{
    return d->label->text();
}

void DividerHeader::setTitle(const QString& title)
{
    d->label->setText(title);
}

Touch::Label* DividerHeader::label() const
{
    return d->label;
}

} // namespace Velin
