#include "base/buttongroupcontainer.h"

#include "touch/button.h"

#include <QGraphicsLayout>
#include <QList>
#include <QWidget>

namespace Velin {

namespace {

const qreal Spacing = 8;

// Fixed mode: equal cells in one row or column.  Otherwise a column of the
// buttons at their preferred heights, full width.
class ButtonGroupLayout : public QGraphicsLayout
{
public:
    explicit ButtonGroupLayout(QGraphicsWidget* parent)
        : QGraphicsLayout(parent)
        , m_widget(parent)
    {
        setContentsMargins(0, 0, 0, 0);
    }

    void add(QGraphicsLayoutItem* item)
    {
        addChildLayoutItem(item);
        m_items.append(item);
        invalidate();
    }

    void setMode(bool fixed, Qt::Orientation orientation)
    {
        m_fixed = fixed;
        m_orientation = orientation;
        invalidate();
    }

    int count() const override { return m_items.size(); }

    QGraphicsLayoutItem* itemAt(int index) const override
    {
        return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
    }

    void removeAt(int index) override
    {
        // Also reached from a button's destructor: pointer work only.
        if (index < 0 || index >= m_items.size())
            return;
        m_items.takeAt(index)->setParentLayoutItem(nullptr);
        invalidate();
    }

    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint) const override
    {
        if (which == Qt::MaximumSize)
            return QSizeF(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int n = m_items.size();
        if (n == 0)
            return QSizeF(0, 0);
        const qreal gaps = Spacing * (n - 1);
        qreal maxWidth = 0, maxHeight = 0, sumHeight = 0;
        for (QGraphicsLayoutItem* item : m_items) {
            const QSizeF s = item->effectiveSizeHint(which);
            maxWidth = qMax(maxWidth, s.width());
            maxHeight = qMax(maxHeight, s.height());
            sumHeight += s.height();
        }
        Q_UNUSED(constraint)
        if (m_fixed && m_orientation == Qt::Horizontal)
            return QSizeF(n * maxWidth + gaps, maxHeight);
        if (m_fixed)
            return QSizeF(maxWidth, n * maxHeight + gaps);
        return QSizeF(maxWidth, sumHeight + gaps);
    }

    void setGeometry(const QRectF& rect) override
    {
        QGraphicsLayout::setGeometry(rect);
        const int n = m_items.size();
        if (n == 0)
            return;
        const QRectF r = geometry();
        const qreal gaps = Spacing * (n - 1);
        if (m_fixed && m_orientation == Qt::Horizontal) {
            const bool rtl = m_widget->layoutDirection() == Qt::RightToLeft;
            const qreal cell = qMax<qreal>(0, (r.width() - gaps) / n);
            for (int i = 0; i < n; ++i) {
                const int slot = rtl ? n - 1 - i : i;
                m_items.at(i)->setGeometry(QRectF(r.left() + slot * (cell + Spacing), r.top(), cell, r.height()));
            }
        } else if (m_fixed) {
            const qreal cell = qMax<qreal>(0, (r.height() - gaps) / n);
            for (int i = 0; i < n; ++i)
                m_items.at(i)->setGeometry(QRectF(r.left(), r.top() + i * (cell + Spacing), r.width(), cell));
        } else {
            qreal y = r.top();
            for (QGraphicsLayoutItem* item : qAsConst(m_items)) {
                const qreal h = item->effectiveSizeHint(Qt::PreferredSize, QSizeF(r.width(), -1)).height();
                item->setGeometry(QRectF(r.left(), y, r.width(), h));
                y += h + Spacing;
            }
        }
    }

private:
    QGraphicsWidget* const m_widget;
    QList<QGraphicsLayoutItem*> m_items;
    bool m_fixed = false;
    Qt::Orientation m_orientation = Qt::Horizontal;
};

} // namespace

class ButtonGroupContainerPrivate
{
public:
    explicit ButtonGroupContainerPrivate(ButtonGroupContainer* q)
        : q(q)
    {
    }

    void onToggled(Touch::Button* button, bool checked);
    void onDestroyed(Touch::Button* button);
    void checkOnly(int index);

    ButtonGroupContainer* const q;
    ButtonGroupLayout* layout = nullptr;
    QList<Touch::Button*> buttons;
    int checked = -1;
    bool fixed = false;
    Qt::Orientation orientation = Qt::Horizontal;
    bool updating = false;
};

void ButtonGroupContainerPrivate::checkOnly(int index)
{
    updating = true;
    for (int i = 0; i < buttons.size(); ++i)
        buttons.at(i)->setChecked(i == index);
    updating = false;
}

void ButtonGroupContainerPrivate::onToggled(Touch::Button* button, bool isChecked)
{
    if (updating)
        return;
    const int index = buttons.indexOf(button);
    if (index < 0)
        return;
    if (isChecked) {
        if (index == checked)
            return;
        checkOnly(index);
        checked = index;
        Q_EMIT q->checkedIndexChanged(index);
    } else if (index == checked) {
        // The choice is not given up by tapping it again (nor by unchecking
        // the button directly): setCheckedIndex(-1) clears it.
        updating = true;
        button->setChecked(true);
        updating = false;
    }
}

void ButtonGroupContainerPrivate::onDestroyed(Touch::Button* button)
{
    // The button is half gone: compare the pointer, never use it.
    const int index = buttons.indexOf(button);
    if (index < 0)
        return;
    buttons.removeAt(index);
    if (index == checked) {
        checked = -1;
        Q_EMIT q->checkedIndexChanged(-1);
    } else if (index < checked) {
        --checked;
        Q_EMIT q->checkedIndexChanged(checked);
    }
}

ButtonGroupContainer::ButtonGroupContainer(QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new ButtonGroupContainerPrivate(this))
{
    d->layout = new ButtonGroupLayout(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

ButtonGroupContainer::~ButtonGroupContainer()
{
    // The buttons die after us (as child items): they must not call back.
    for (Touch::Button* button : qAsConst(d->buttons))
        disconnect(button, nullptr, this, nullptr);
    delete d;
}

void ButtonGroupContainer::addButton(Touch::Button* button)
{
    if (!button) {
        qWarning("ButtonGroupContainer::addButton: null button ignored");
        return;
    }
    if (d->buttons.contains(button))
        return;
    button->setCheckable(true);
    d->layout->add(button);
    d->buttons.append(button);

    connect(button, &Touch::Button::toggled, this, [this, button](bool checked) { d->onToggled(button, checked); });
    connect(button, &Touch::Button::clicked, this, [this, button] {
        const int index = d->buttons.indexOf(button);
        if (index >= 0)
            Q_EMIT buttonClicked(index);
    });
    connect(button, &QObject::destroyed, this, [this, button] { d->onDestroyed(button); });

    if (button->isChecked()) {
        const int index = d->buttons.size() - 1;
        d->checkOnly(index);
        d->checked = index;
        Q_EMIT checkedIndexChanged(index);
    }
}

Touch::Button* ButtonGroupContainer::button(int index) const
{
    return index >= 0 && index < d->buttons.size() ? d->buttons.at(index) : nullptr;
}

int ButtonGroupContainer::count() const
{
    return d->buttons.size();
}

int ButtonGroupContainer::checkedIndex() const
{
    return d->checked;
}

void ButtonGroupContainer::setCheckedIndex(int index)
{
    if (index < -1 || index >= d->buttons.size()) {
        qWarning("ButtonGroupContainer::setCheckedIndex: index %d out of range (%d buttons); nothing checked",
                 index, int(d->buttons.size()));
        index = -1;
    }
    d->checkOnly(index);
    if (d->checked == index)
        return;
    d->checked = index;
    Q_EMIT checkedIndexChanged(index);
}

bool ButtonGroupContainer::isFixedModeEnabled() const
{
    return d->fixed;
}

void ButtonGroupContainer::setFixedModeEnabled(bool enabled)
{
    if (d->fixed == enabled)
        return;
    d->fixed = enabled;
    d->layout->setMode(d->fixed, d->orientation);
}

Qt::Orientation ButtonGroupContainer::fixedModeOrientation() const
{
    return d->orientation;
}

void ButtonGroupContainer::setFixedModeOrientation(Qt::Orientation orientation)
{
    if (d->orientation == orientation)
        return;
    d->orientation = orientation;
    d->layout->setMode(d->fixed, d->orientation);
}

} // namespace Velin
