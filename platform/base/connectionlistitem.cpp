#include "base/connectionlistitem.h"

#include "base/drilldownitem_p.h"
#include "touch/imagewidget.h"
#include "touch/label.h"

#include <QGraphicsLinearLayout>
#include <QGraphicsSceneMouseEvent>

namespace Velin {

class ConnectionListItemPrivate
{
public:
    Touch::ImageWidget* typeImage = nullptr;
    Touch::ImageWidget* securityImage = nullptr;
    Touch::Label* label = nullptr;
    Touch::Label* subtitle = nullptr;
    bool down = false;
};

namespace {

Touch::ImageWidget* makeImage(const QString& objectName, const QSize& size, QGraphicsItem* parent)
{
    auto image = new Touch::ImageWidget(QString(), parent);
    image->setObjectName(objectName);
    image->setImageSize(size);
    image->setAcceptedMouseButtons(Qt::NoButton);
    image->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    image->setVisible(false);
    return image;
}

Touch::Label* makeLabel(const QString& objectName, const QString& style, QGraphicsItem* parent)
{
    auto label = new Touch::Label(QString(), parent);
    label->setObjectName(objectName);
    label->setStyleName(style);
    label->setAcceptedMouseButtons(Qt::NoButton);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return label;
}

} // namespace

ConnectionListItem::ConnectionListItem(const QString& style, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new ConnectionListItemPrivate)
{
    setStyleName(style);

    auto row = new QGraphicsLinearLayout(Qt::Horizontal, this);
    row->setContentsMargins(0, 4, 4, 4);
    row->setSpacing(12);

    d->typeImage = makeImage(QStringLiteral("ConnectionListItemTypeImage"), QSize(48, 48), this);
    d->securityImage = makeImage(QStringLiteral("ConnectionListItemSecurityImage"), QSize(32, 32), this);
    d->label = makeLabel(QStringLiteral("ConnectionListItemLabel"), QStringLiteral("CommonTitle"), this);
    d->subtitle = makeLabel(QStringLiteral("ConnectionListItemSubtitle"), QStringLiteral("CommonSubText"), this);
    d->subtitle->setVisible(false);

    auto texts = new QGraphicsLinearLayout(Qt::Vertical);
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    texts->addItem(d->label);
    texts->addItem(d->subtitle);

    row->addItem(d->typeImage);
    row->addItem(texts);
    row->addItem(d->securityImage);
    row->setAlignment(d->typeImage, Qt::AlignVCenter);
    row->setAlignment(texts, Qt::AlignVCenter);
    row->setAlignment(d->securityImage, Qt::AlignVCenter);
    row->setStretchFactor(texts, 1);

    setMinimumHeight(RowMinimumHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAcceptedMouseButtons(Qt::LeftButton);
}

ConnectionListItem::~ConnectionListItem()
{
    delete d;
}

QString ConnectionListItem::label() const
{
    return d->label->text();
}

void ConnectionListItem::setLabel(const QString& label)
{
    d->label->setText(label);
}

QString ConnectionListItem::subtitle() const
{
    return d->subtitle->text();
}

void ConnectionListItem::setSubtitle(const QString& subtitle)
{
    d->subtitle->setText(subtitle);
    d->subtitle->setVisible(!subtitle.isEmpty());
}

QString ConnectionListItem::typeImageName() const
{
    return d->typeImage->image();
}

void ConnectionListItem::setTypeImageName(const QString& iconId)
{
    d->typeImage->setImage(iconId);
    d->typeImage->setVisible(!iconId.isEmpty());
}

QString ConnectionListItem::securityImageName() const
{
    return d->securityImage->image();
}

void ConnectionListItem::setSecurityImageName(const QString& iconId)
{
    d->securityImage->setImage(iconId);
    d->securityImage->setVisible(!iconId.isEmpty());
}

bool ConnectionListItem::isDown() const
{
    return d->down;
}

void ConnectionListItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Touch::Widget::paint(painter, option, widget);
    paintPressFeedback(painter, this, rect(), d->down);
}

void ConnectionListItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !(acceptedMouseButtons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    d->down = true;
    update();
    event->accept();
}

void ConnectionListItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    const bool inside = rect().contains(event->pos());
    if (inside != d->down) {
        d->down = inside;
        update();
    }
}

void ConnectionListItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    const bool wasDown = d->down;
    d->down = false;
    update();
    // Made display only while pressed: no click either.
    if (wasDown && event->button() == Qt::LeftButton && (acceptedMouseButtons() & Qt::LeftButton)
        && rect().contains(event->pos()))
        Q_EMIT clicked();
}

void ConnectionListItem::ungrabMouseEvent(QEvent* event)
{
    d->down = false;
    update();
    Touch::Widget::ungrabMouseEvent(event);
}

} // namespace Velin
