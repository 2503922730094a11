#pragma once

#include "touch/touchglobal.h"

#include <QGraphicsLayout>
#include <QList>

namespace Touch {

class LayoutPrivate;
class LinearLayoutPolicy;

// A layout that owns a set of items and any number of policies, exactly one
// of them active.  The active policy places its items; items of the layout
// that are not in the active policy are hidden by the layout (and shown again
// when a policy that holds them becomes active).  Removing never deletes;
// deleteItem()/deleteAt() do.  The layout's own contents margins are zero:
// margins and spacing belong to the policies.
class VELINTOUCH_EXPORT Layout : public QGraphicsLayout
{
public:
    // With a QGraphicsWidget parent, becomes that widget's layout.
    explicit Layout(QGraphicsLayoutItem* parent = nullptr);
    ~Layout() override;

    int count() const override;
    QGraphicsLayoutItem* itemAt(int index) const override;
    // Also called from an item's destructor: touches only pointers.
    void removeAt(int index) override;

    // Out of the layout and every policy; a widget is hidden, not deleted.
    void removeItem(QGraphicsLayoutItem* item);
    void deleteItem(QGraphicsLayoutItem* item);
    void deleteAt(int index);
    int indexOf(const QGraphicsLayoutItem* item) const;

    LinearLayoutPolicy* policy() const;
    void setPolicy(LinearLayoutPolicy* policy);
    QList<LinearLayoutPolicy*> registeredPolicies() const;

    void setGeometry(const QRectF& rect) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void invalidate() override;

private:
    friend class LinearLayoutPolicy;
    friend class LinearLayoutPolicyPrivate;
    friend class LayoutPrivate;
    Q_DISABLE_COPY(Layout)
    LayoutPrivate* const d;
};

} // namespace Touch
