#pragma once

#include "touch/touchglobal.h"

#include <Qt>
#include <QtGlobal>

class QGraphicsLayoutItem;

namespace Touch {

class Layout;
class LinearLayoutPolicyPrivate;

// Places some of a Layout's items in a row or a column.  Owned and deleted by
// its layout; the first policy made for a layout becomes its active one.
//
// Vertical: items stacked at their preferred height (height-for-width aware),
// full width unless a horizontal alignment is set and the item's maximum width
// is smaller; spare height goes to stretches, else to vertically expanding
// items, else stays at the bottom.  Horizontal: the width is shared by
// preferred widths, spare width to stretches or horizontally expanding items.
// Items that are explicitly hidden take no space.  Margins and spacing are 0
// until set.
class VELINTOUCH_EXPORT LinearLayoutPolicy
{
public:
    LinearLayoutPolicy(Layout* layout, Qt::Orientation orientation);
    ~LinearLayoutPolicy();

    Layout* layout() const;

    // The item joins the layout if needed.  An index < 0 or > count appends.
    void addItem(QGraphicsLayoutItem* item);
    void addItem(QGraphicsLayoutItem* item, Qt::Alignment alignment);
    void insertItem(int index, QGraphicsLayoutItem* item);
    void insertItem(int index, QGraphicsLayoutItem* item, Qt::Alignment alignment);
    // Out of this policy only: the item stays in the layout.
    void removeItem(const QGraphicsLayoutItem* item);
    void removeAt(int index);

    int indexOf(const QGraphicsLayoutItem* item) const;
    int count() const;
    QGraphicsLayoutItem* itemAt(int index) const;

    void setSpacing(qreal spacing);
    qreal spacing() const;
    // Spacing after the item at index (overrides spacing()).
    void setItemSpacing(int index, qreal spacing);
    qreal itemSpacing(int index) const;

    void setContentsMargins(qreal left, qreal top, qreal right, qreal bottom);
    void getContentsMargins(qreal* left, qreal* top, qreal* right, qreal* bottom) const;

    void setAlignment(QGraphicsLayoutItem* item, Qt::Alignment alignment);
    Qt::Alignment alignment(QGraphicsLayoutItem* item) const;

    void setStretchFactor(QGraphicsLayoutItem* item, int stretch);
    int stretchFactor(QGraphicsLayoutItem* item) const;
    // Adds an empty item of the layout that takes spare space.
    void addStretch(int factor = 1);

    Qt::Orientation orientation() const;
    void setOrientation(Qt::Orientation orientation);

    void activate();
    bool isActive() const;

private:
    friend class Layout;
    friend class LayoutPrivate;
    Q_DISABLE_COPY(LinearLayoutPolicy)
    LinearLayoutPolicyPrivate* const d;
};

} // namespace Touch
