#include "base/drilldownitem.h"

#include "base/drilldownitem_p.h"
#include "touch/imagewidget.h"
#include "touch/label.h"

#include <QGraphicsLinearLayout>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>

namespace Velin {

class DrillDownItemPrivate
{
public:
    Touch::Label* title = nullptr;
    Touch::ImageWidget* chevron = nullptr;
    bool down = false;
};

DrillDownItem::DrillDownItem(const QString& title, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new DrillDownItemPrivate)
{
    auto layout = new QGraphicsLinearLayout(Qt::Horizontal, this);
    // The title's own padding lines it up with the labels above and below.
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(8);

    d->title = new Touch::Label(title, this);
    d->title->setObjectName(QStringLiteral("DrillDownItemTitle"));
    d->title->setStyleName(QStringLiteral("CommonTitle"));
    d->title->setWordWrap(true);
    d->title->setAcceptedMouseButtons(Qt::NoButton);
    d->title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    d->chevron = new Touch::ImageWidget(QStringLiteral("icon-m-common-drilldown-arrow"), this);
    d->chevron->setObjectName(QStringLiteral("DrillDownItemArrow"));
    d->chevron->setImageSize(QSize(32, 32));
    d->chevron->setAcceptedMouseButtons(Qt::NoButton);
    d->chevron->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    layout->addItem(d->title);
    layout->addItem(d->chevron);
    layout->setAlignment(d->title, Qt::AlignVCenter);
    layout->setAlignment(d->chevron, Qt::AlignVCenter);

    setMinimumHeight(RowMinimumHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAcceptedMouseButtons(Qt::LeftButton);
    setFocusPolicy(Qt::StrongFocus);
}

DrillDownItem::~DrillDownItem()
{
    delete d;
}

QString DrillDownItem::title() const
{
    return d->title->text();
}

void DrillDownItem::setTitle(const QString& title)
{
    d->title->setText(title);
}

bool DrillDownItem::isDown() const
{
    return d->down;
}

void DrillDownItem::click()
{
    if (!isEnabled())
        return;
    Q_EMIT clicked();
}

void DrillDownItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Touch::Widget::paint(painter, option, widget);
    paintPressFeedback(painter, this, rect(), d->down);
}

void DrillDownItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    d->down = true;
    update();
    event->accept();
}

void DrillDownItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    const bool inside = rect().contains(event->pos());
    if (inside != d->down) {
        d->down = inside;
        update();
    }
}

void DrillDownItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    const bool wasDown = d->down;
    d->down = false;
    update();
    if (wasDown && event->button() == Qt::LeftButton && rect().contains(event->pos()))
        click();
}

void DrillDownItem::ungrabMouseEvent(QEvent* event)
{
    // The press went elsewhere (a pan took it): no click.
    d->down = false;
    update();
    Touch::Widget::ungrabMouseEvent(event);
}

void DrillDownItem::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        click();
        event->accept();
        break;
    default:
        Touch::Widget::keyPressEvent(event);
    }
}

} // namespace Velin
