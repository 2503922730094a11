#pragma once

#include <QGraphicsItem>
#include <QGraphicsLayoutItem>
#include <QWidget>
#include <QList>
#include <QPointer>

class QGraphicsObject;

namespace Touch {

class Layout;
class LinearLayoutPolicy;

class LayoutPrivate
{
public:
    explicit LayoutPrivate(Layout* q) : q(q) {}

    // Makes item one of the layout's items (reparenting its graphics item).
    void adopt(QGraphicsLayoutItem* item);
    // Shows the active policy's items, hides the others.
    void updateVisibility();
    void setShown(QGraphicsLayoutItem* item, bool shown);
    bool inActivePolicy(const QGraphicsLayoutItem* item) const;
    // Drops item from the lists; pointer work only (safe from its destructor).
    void forget(const QGraphicsLayoutItem* item);
    // The widget whose direction applies (walking up through nested layouts).
    Qt::LayoutDirection direction() const;

    Layout* const q;
    QList<QGraphicsLayoutItem*> items;
    QList<LinearLayoutPolicy*> policies;
    LinearLayoutPolicy* active = nullptr;
    // Widgets this layout hid; only these are shown again by it.
    QList<QPointer<QGraphicsObject>> hidden;
    bool destroying = false;
};

// True when the item's widget was hidden itself (not merely through a hidden
// ancestor); such items take no space.
inline bool isExplicitlyHidden(const QGraphicsLayoutItem* item)
{
    if (item->isLayout())
        return false;
    const QGraphicsItem* graphicsItem = item->graphicsItem();
    return graphicsItem && !graphicsItem->isVisibleTo(graphicsItem->parentItem());
}

// An empty item that takes spare space in a policy (addStretch()).
class StretchItem : public QGraphicsLayoutItem
{
public:
    StretchItem() { setOwnedByLayout(true); setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); }
    void setGeometry(const QRectF& rect) override { QGraphicsLayoutItem::setGeometry(rect); }

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& = QSizeF()) const override
    {
        return which == Qt::MaximumSize ? QSizeF(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : QSizeF(0, 0);
    }
};

} // namespace Touch
