#include "touch/linearlayoutpolicy.h"

#include "layout_p.h"
#include "linearlayoutpolicy_p.h"
#include "touch/layout.h"

#include <QGraphicsLayoutItem>
#include <QStyle>
#include <QVector>

namespace Touch {

namespace {

struct Slot
{
    QGraphicsLayoutItem* item;
    int entry;          // index into entries
    qreal size;         // along the orientation
    qreal minimum;
    qreal maximum;
    qreal cross;        // width (vertical) or height (horizontal) given to the item
    qreal crossPos;
    int stretch;
    bool expanding;
};

// Gives spare (> 0) space to the slots that want it, respecting maxima;
// takes a deficit (< 0) from the slots that can shrink, down to minima.
void distribute(QVector<Slot>& slots, qreal spare)
{
    if (spare > 0) {
        bool anyStretch = false;
        for (const Slot& s : slots)
            anyStretch |= s.stretch > 0;
        for (int pass = 0; pass < 4 && spare > 0.5; ++pass) {
            qreal weights = 0;
            for (const Slot& s : slots) {
                const bool wants = anyStretch ? s.stretch > 0 : s.expanding;
                if (wants && s.size < s.maximum)
                    weights += anyStretch ? s.stretch : 1;
            }
            if (weights <= 0)
                return;
            qreal given = 0;
            for (Slot& s : slots) {
                const bool wants = anyStretch ? s.stretch > 0 : s.expanding;
                if (!wants || s.size >= s.maximum)
                    continue;
                const qreal share = spare * (anyStretch ? s.stretch : 1) / weights;
                const qreal add = qMin(share, s.maximum - s.size);
                s.size += add;
                given += add;
            }
            spare -= given;
        }
    } else if (spare < 0) {
        qreal shrinkable = 0;
        for (const Slot& s : slots)
            shrinkable += qMax<qreal>(0, s.size - s.minimum);
        if (shrinkable <= 0)
            return;
        const qreal ratio = qMin<qreal>(1, -spare / shrinkable);
        for (Slot& s : slots)
            s.size -= qMax<qreal>(0, s.size - s.minimum) * ratio;
    }
}

} // namespace

int LinearLayoutPolicyPrivate::find(const QGraphicsLayoutItem* item) const
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).item == item)
            return i;
    }
    return -1;
}

void LinearLayoutPolicyPrivate::forget(const QGraphicsLayoutItem* item)
{
    const int index = find(item);
    if (index >= 0)
        entries.removeAt(index);
}

void LinearLayoutPolicyPrivate::changed()
{
    if (layout && layout->d->active == q)
        layout->invalidate();
}

void LinearLayoutPolicyPrivate::apply(const QRectF& outer, Qt::LayoutDirection direction) const
{
    const QRectF rect = outer.adjusted(left, top, -right, -bottom);
    const bool vertical = orientation == Qt::Vertical;
    QVector<Slot> slots;
    slots.reserve(entries.size());
    qreal used = 0;

    for (int i = 0; i < entries.size(); ++i) {
        const Entry& e = entries.at(i);
        QGraphicsLayoutItem* item = e.item;
        if (isExplicitlyHidden(item))
            continue;   // explicitly hidden: takes no space
        Slot s;
        s.item = item;
        s.entry = i;
        s.stretch = e.stretch;
        const QSizePolicy policy = item->sizePolicy();
        if (vertical) {
            const QSizeF maxSize = item->effectiveSizeHint(Qt::MaximumSize);
            const Qt::Alignment h = QStyle::visualAlignment(direction, e.alignment) & Qt::AlignHorizontal_Mask;
            s.cross = rect.width();
            s.crossPos = rect.left();
            if (h && maxSize.width() < rect.width()) {
                s.cross = maxSize.width();
                if (h & Qt::AlignRight)
                    s.crossPos = rect.right() - s.cross;
                else if (h & Qt::AlignHCenter)
                    s.crossPos = rect.left() + (rect.width() - s.cross) / 2;
            }
            const QSizeF c(s.cross, -1);
            s.size = item->effectiveSizeHint(Qt::PreferredSize, c).height();
            s.minimum = item->effectiveSizeHint(Qt::MinimumSize, c).height();
            s.maximum = item->effectiveSizeHint(Qt::MaximumSize, c).height();
            s.expanding = policy.verticalPolicy() & QSizePolicy::ExpandFlag;
        } else {
            s.size = item->effectiveSizeHint(Qt::PreferredSize).width();
            s.minimum = item->effectiveSizeHint(Qt::MinimumSize).width();
            s.maximum = item->effectiveSizeHint(Qt::MaximumSize).width();
            s.expanding = policy.horizontalPolicy() & QSizePolicy::ExpandFlag;
            s.cross = 0;
            s.crossPos = 0;
        }
        if (!slots.isEmpty()) {
            const Entry& prev = entries.at(slots.last().entry);
            used += prev.spacingAfter >= 0 ? prev.spacingAfter : spacing;
        }
        used += s.size;
        slots.append(s);
    }

    distribute(slots, (vertical ? rect.height() : rect.width()) - used);

    qreal pos = vertical ? rect.top() : rect.left();
    for (int i = 0; i < slots.size(); ++i) {
        const Slot& s = slots.at(i);
        const Entry& e = entries.at(s.entry);
        QRectF geometry;
        if (vertical) {
            geometry = QRectF(s.crossPos, pos, s.cross, s.size);
        } else {
            const qreal maxH = s.item->effectiveSizeHint(Qt::MaximumSize, QSizeF(s.size, -1)).height();
            const qreal h = qMin(rect.height(), maxH);
            qreal y = rect.top() + (rect.height() - h) / 2;
            if (e.alignment & Qt::AlignTop)
                y = rect.top();
            else if (e.alignment & Qt::AlignBottom)
                y = rect.bottom() - h;
            qreal x = pos;
            if (direction == Qt::RightToLeft)
                x = rect.left() + rect.right() - (pos + s.size);
            geometry = QRectF(x, y, s.size, h);
        }
        s.item->setGeometry(geometry);
        pos += s.size + (e.spacingAfter >= 0 ? e.spacingAfter : spacing);
    }
}

QSizeF LinearLayoutPolicyPrivate::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    const qreal marginW = left + right;
    const qreal marginH = top + bottom;
    const bool vertical = orientation == Qt::Vertical;
    const qreal innerW = constraint.width() >= 0 ? qMax<qreal>(0, constraint.width() - marginW) : -1;
    qreal along = 0;
    qreal across = 0;
    bool first = true;
    qreal lastSpacing = 0;
    for (const Entry& e : entries) {
        if (isExplicitlyHidden(e.item))
            continue;
        QSizeF hint;
        if (vertical && innerW >= 0) {
            qreal w = innerW;
            if (e.alignment & Qt::AlignHorizontal_Mask)
                w = qMin(w, e.item->effectiveSizeHint(Qt::MaximumSize).width());
            hint = e.item->effectiveSizeHint(which, QSizeF(w, -1));
        } else {
            hint = e.item->effectiveSizeHint(which);
        }
        if (!first)
            along += lastSpacing;
        first = false;
        lastSpacing = e.spacingAfter >= 0 ? e.spacingAfter : spacing;
        if (vertical) {
            along += hint.height();
            across = qMax(across, hint.width());
        } else {
            along += hint.width();
            across = qMax(across, hint.height());
        }
    }
    return vertical ? QSizeF(across + marginW, along + marginH) : QSizeF(along + marginW, across + marginH);
}

LinearLayoutPolicy::LinearLayoutPolicy(Layout* layout, Qt::Orientation orientation)
    : d(new LinearLayoutPolicyPrivate)
{
    d->q = this;
    d->layout = layout;
    d->orientation = orientation;
    if (!layout) {
        qWarning("Touch::LinearLayoutPolicy: made without a layout; it will place nothing");
        return;
    }
    layout->d->policies.append(this);
    if (!layout->d->active) {
        layout->d->active = this;
        layout->d->updateVisibility();
        layout->invalidate();
    }
}

LinearLayoutPolicy::~LinearLayoutPolicy()
{
    Layout* layout = d->layout;
    if (layout && !layout->d->destroying) {
        layout->d->policies.removeAll(this);
        if (layout->d->active == this) {
            layout->d->active = layout->d->policies.value(0);
            layout->d->updateVisibility();
            layout->invalidate();
        }
    }
    delete d;
}

Layout* LinearLayoutPolicy::layout() const
{
    return d->layout;
}

void LinearLayoutPolicy::addItem(QGraphicsLayoutItem* item)
{
    insertItem(-1, item, Qt::Alignment());
}

void LinearLayoutPolicy::addItem(QGraphicsLayoutItem* item, Qt::Alignment alignment)
{
    insertItem(-1, item, alignment);
}

void LinearLayoutPolicy::insertItem(int index, QGraphicsLayoutItem* item)
{
    insertItem(index, item, Qt::Alignment());
}

void LinearLayoutPolicy::insertItem(int index, QGraphicsLayoutItem* item, Qt::Alignment alignment)
{
    if (!item || !d->layout) {
        qWarning("Touch::LinearLayoutPolicy::insertItem: %s", item ? "the policy has no layout" : "null item");
        return;
    }
    if (item == d->layout) {
        qWarning("Touch::LinearLayoutPolicy::insertItem: a layout cannot be its own item");
        return;
    }
    // Inserting an item already here moves it.
    const int existing = d->find(item);
    if (existing >= 0)
        d->entries.removeAt(existing);
    d->layout->d->adopt(item);
    LinearLayoutPolicyPrivate::Entry entry;
    entry.item = item;
    entry.alignment = alignment;
    if (index < 0 || index > d->entries.size())
        d->entries.append(entry);
    else
        d->entries.insert(index, entry);
    d->layout->d->setShown(item, d->layout->d->inActivePolicy(item));
    d->changed();
}

void LinearLayoutPolicy::removeItem(const QGraphicsLayoutItem* item)
{
    const int index = d->find(item);
    if (index < 0) {
        qWarning("Touch::LinearLayoutPolicy::removeItem: the item is not in this policy");
        return;
    }
    removeAt(index);
}

void LinearLayoutPolicy::removeAt(int index)
{
    if (index < 0 || index >= d->entries.size()) {
        qWarning("Touch::LinearLayoutPolicy::removeAt: index %d out of range (%d items)", index,
                 int(d->entries.size()));
        return;
    }
    QGraphicsLayoutItem* item = d->entries.takeAt(index).item;
    if (isActive())
        d->layout->d->setShown(item, false);   // still in the layout, not placed now
    d->changed();
}

int LinearLayoutPolicy::indexOf(const QGraphicsLayoutItem* item) const
{
    return d->find(item);
}

int LinearLayoutPolicy::count() const
{
    return d->entries.size();
}

QGraphicsLayoutItem* LinearLayoutPolicy::itemAt(int index) const
{
    if (index < 0 || index >= d->entries.size())
        return nullptr;
    return d->entries.at(index).item;
}

void LinearLayoutPolicy::setSpacing(qreal spacing)
{
    d->spacing = qMax<qreal>(0, spacing);
    d->changed();
}

qreal LinearLayoutPolicy::spacing() const
{
    return d->spacing;
}

void LinearLayoutPolicy::setItemSpacing(int index, qreal spacing)
{
    if (index < 0 || index >= d->entries.size()) {
        qWarning("Touch::LinearLayoutPolicy::setItemSpacing: index %d out of range", index);
        return;
    }
    d->entries[index].spacingAfter = qMax<qreal>(0, spacing);
    d->changed();
}

qreal LinearLayoutPolicy::itemSpacing(int index) const
{
    if (index < 0 || index >= d->entries.size())
        return d->spacing;
    const qreal s = d->entries.at(index).spacingAfter;
    return s >= 0 ? s : d->spacing;
}

void LinearLayoutPolicy::setContentsMargins(qreal left, qreal top, qreal right, qreal bottom)
{
    d->left = left;
    d->top = top;
    d->right = right;
    d->bottom = bottom;
    d->changed();
}

void LinearLayoutPolicy::getContentsMargins(qreal* left, qreal* top, qreal* right, qreal* bottom) const
{
    if (left)
        *left = d->left;
    if (top)
        *top = d->top;
    if (right)
        *right = d->right;
    if (bottom)
        *bottom = d->bottom;
}

void LinearLayoutPolicy::setAlignment(QGraphicsLayoutItem* item, Qt::Alignment alignment)
{
    const int index = d->find(item);
    if (index < 0) {
        qWarning("Touch::LinearLayoutPolicy::setAlignment: the item is not in this policy");
        return;
    }
    d->entries[index].alignment = alignment;
    d->changed();
}

Qt::Alignment LinearLayoutPolicy::alignment(QGraphicsLayoutItem* item) const
{
    const int index = d->find(item);
    return index >= 0 ? d->entries.at(index).alignment : Qt::Alignment();
}

void LinearLayoutPolicy::setStretchFactor(QGraphicsLayoutItem* item, int stretch)
{
    const int index = d->find(item);
    if (index < 0) {
        qWarning("Touch::LinearLayoutPolicy::setStretchFactor: the item is not in this policy");
        return;
    }
    d->entries[index].stretch = qMax(0, stretch);
    d->changed();
}

int LinearLayoutPolicy::stretchFactor(QGraphicsLayoutItem* item) const
{
    const int index = d->find(item);
    return index >= 0 ? d->entries.at(index).stretch : 0;
}

void LinearLayoutPolicy::addStretch(int factor)
{
    if (!d->layout) {
        qWarning("Touch::LinearLayoutPolicy::addStretch: the policy has no layout");
        return;
    }
    auto* stretch = new StretchItem;   // owned by the layout
    addItem(stretch);
    setStretchFactor(stretch, qMax(1, factor));
}

Qt::Orientation LinearLayoutPolicy::orientation() const
{
    return d->orientation;
}

void LinearLayoutPolicy::setOrientation(Qt::Orientation orientation)
{
    if (d->orientation == orientation)
        return;
    d->orientation = orientation;
    d->changed();
}

void LinearLayoutPolicy::activate()
{
    if (d->layout)
        d->layout->setPolicy(this);
}

bool LinearLayoutPolicy::isActive() const
{
    return d->layout && d->layout->d->active == this;
}

} // namespace Touch
