#pragma once

#include "touch/linearlayoutpolicy.h"

#include <QList>
#include <QRectF>
#include <QSizeF>

class QGraphicsLayoutItem;

namespace Touch {

class LinearLayoutPolicyPrivate
{
public:
    struct Entry
    {
        QGraphicsLayoutItem* item = nullptr;
        Qt::Alignment alignment;
        int stretch = 0;
        qreal spacingAfter = -1;   // < 0: the policy's spacing
    };

    int find(const QGraphicsLayoutItem* item) const;
    // Pointer work only: used while an item is being destroyed.
    void forget(const QGraphicsLayoutItem* item);
    void changed();

    void apply(const QRectF& rect, Qt::LayoutDirection direction) const;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint) const;

    LinearLayoutPolicy* q = nullptr;
    Layout* layout = nullptr;
    Qt::Orientation orientation = Qt::Vertical;
    QList<Entry> entries;
    qreal spacing = 0;
    qreal left = 0, top = 0, right = 0, bottom = 0;
};

} // namespace Touch
