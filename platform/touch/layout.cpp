#include "touch/layout.h"

#include "layout_p.h"
#include "linearlayoutpolicy_p.h"
#include "touch/linearlayoutpolicy.h"

#include <QApplication>
#include <QGraphicsObject>
#include <QGraphicsWidget>

namespace Touch {

void LayoutPrivate::adopt(QGraphicsLayoutItem* item)
{
    if (items.contains(item))
        return;
    items.append(item);
    // Reparents the graphics item into the layout's widget and takes the
    // item out of any layout it was in before.
    q->addChildLayoutItem(item);
}

bool LayoutPrivate::inActivePolicy(const QGraphicsLayoutItem* item) const
{
    return active && active->d->find(item) >= 0;
}

void LayoutPrivate::updateVisibility()
{
    for (QGraphicsLayoutItem* item : qAsConst(items))
        setShown(item, inActivePolicy(item));
}

void LayoutPrivate::setShown(QGraphicsLayoutItem* item, bool shown)
{
    if (item->isLayout()) {
        // A nested layout: act on its widgets; what it hid itself stays hidden
        // because only widgets in our own list are shown again.
        auto* nested = static_cast<QGraphicsLayout*>(item);
        for (int i = 0; i < nested->count(); ++i)
            setShown(nested->itemAt(i), shown);
        return;
    }
    QGraphicsItem* graphicsItem = item->graphicsItem();
    if (!graphicsItem)
        return;
    QGraphicsObject* object = graphicsItem->toGraphicsObject();
    if (!object) {
        graphicsItem->setVisible(shown);
        return;
    }
    int index = -1;
    for (int i = 0; i < hidden.size(); ++i) {
        if (hidden.at(i) == object) {
            index = i;
            break;
        }
    }
    if (shown) {
        if (index >= 0) {
            hidden.removeAt(index);
            object->show();
        }
    } else if (index < 0 && !isExplicitlyHidden(item)) {
        // Explicitly hidden by its owner: it is not ours to show later.
        hidden.append(object);
        object->hide();
    }
}

void LayoutPrivate::forget(const QGraphicsLayoutItem* item)
{
    for (LinearLayoutPolicy* policy : qAsConst(policies))
        policy->d->forget(item);
}

Qt::LayoutDirection LayoutPrivate::direction() const
{
    const QGraphicsLayoutItem* item = q;
    while (item && item->isLayout())
        item = item->parentLayoutItem();
    if (item && item->graphicsItem() && item->graphicsItem()->isWidget())
        return static_cast<QGraphicsWidget*>(item->graphicsItem())->layoutDirection();
    return QApplication::layoutDirection();
}

Layout::Layout(QGraphicsLayoutItem* parent)
    : QGraphicsLayout(parent)  // with a widget parent, becomes its layout
    , d(new LayoutPrivate(this))
{
    setContentsMargins(0, 0, 0, 0);
}

Layout::~Layout()
{
    d->destroying = true;
    const QList<LinearLayoutPolicy*> policies = d->policies;
    d->policies.clear();
    d->active = nullptr;
    qDeleteAll(policies);

    const QList<QGraphicsLayoutItem*> items = d->items;
    d->items.clear();
    for (QGraphicsLayoutItem* item : items) {
        item->setParentLayoutItem(nullptr);
        // Widgets belong to their parent widget; nested layouts and stretches to us.
        if (item->isLayout() || item->ownedByLayout())
            delete item;
    }
    delete d;
}

int Layout::count() const
{
    return d->items.size();
}

QGraphicsLayoutItem* Layout::itemAt(int index) const
{
    if (index < 0 || index >= d->items.size())
        return nullptr;
    return d->items.at(index);
}

void Layout::removeAt(int index)
{
    if (index < 0 || index >= d->items.size()) {
        qWarning("Touch::Layout::removeAt: index %d out of range (%d items)", index, int(d->items.size()));
        return;
    }
    // Called from ~QGraphicsLayoutItem too: only pointer work on the item.
    QGraphicsLayoutItem* item = d->items.takeAt(index);
    d->forget(item);
    item->setParentLayoutItem(nullptr);
    if (!d->destroying)
        invalidate();
}

void Layout::removeItem(QGraphicsLayoutItem* item)
{
    const int index = indexOf(item);
    if (index < 0) {
        qWarning("Touch::Layout::removeItem: the item is not in this layout");
        return;
    }
    removeAt(index);
    if (QGraphicsItem* graphicsItem = item->graphicsItem()) {
        QGraphicsObject* object = graphicsItem->toGraphicsObject();
        for (int i = d->hidden.size() - 1; i >= 0; --i) {
            if (!d->hidden.at(i) || d->hidden.at(i) == object)
                d->hidden.removeAt(i);
        }
        graphicsItem->hide();
    }
}

void Layout::deleteItem(QGraphicsLayoutItem* item)
{
    const int index = indexOf(item);
    if (index < 0) {
        qWarning("Touch::Layout::deleteItem: the item is not in this layout");
        return;
    }
    deleteAt(index);
}

void Layout::deleteAt(int index)
{
    QGraphicsLayoutItem* item = itemAt(index);
    if (!item) {
        qWarning("Touch::Layout::deleteAt: index %d out of range (%d items)", index, int(d->items.size()));
        return;
    }
    removeAt(index);
    delete item;
}

int Layout::indexOf(const QGraphicsLayoutItem* item) const
{
    return d->items.indexOf(const_cast<QGraphicsLayoutItem*>(item));
}

LinearLayoutPolicy* Layout::policy() const
{
    return d->active;
}

void Layout::setPolicy(LinearLayoutPolicy* policy)
{
    if (!policy || !d->policies.contains(policy)) {
        qWarning("Touch::Layout::setPolicy: the policy does not belong to this layout");
        return;
    }
    if (d->active == policy)
        return;
    d->active = policy;
    d->updateVisibility();
    invalidate();
}

QList<LinearLayoutPolicy*> Layout::registeredPolicies() const
{
    return d->policies;
}

void Layout::setGeometry(const QRectF& rect)
{
    QGraphicsLayout::setGeometry(rect);
    if (!d->active)
        return;
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);
    d->active->d->apply(geometry().adjusted(left, top, -right, -bottom), d->direction());
}

QSizeF Layout::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MinimumDescent)
        return QSizeF(-1, -1);
    if (which == Qt::MaximumSize || !d->active)
        return which == Qt::MaximumSize ? QSizeF(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : QSizeF(0, 0);
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);
    QSizeF inner = constraint;
    if (inner.width() >= 0)
        inner.setWidth(qMax<qreal>(0, inner.width() - left - right));
    if (inner.height() >= 0)
        inner.setHeight(qMax<qreal>(0, inner.height() - top - bottom));
    return d->active->d->sizeHint(which, inner) + QSizeF(left + right, top + bottom);
}

void Layout::invalidate()
{
    QGraphicsLayout::invalidate();
}

} // namespace Touch
