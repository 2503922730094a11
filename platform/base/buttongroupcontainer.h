#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Touch {
class Button;
}

namespace Velin {

class ButtonGroupContainerPrivate;

/*!
 * An exclusive group of checkable buttons: at most one is checked, and a tap
 * on the checked one keeps it checked.  In fixed mode the buttons share one
 * row (or column) in equal parts; otherwise they are stacked vertically.
 */
class VELINBASE_EXPORT ButtonGroupContainer : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(int checkedIndex READ checkedIndex WRITE setCheckedIndex NOTIFY checkedIndexChanged)
    Q_PROPERTY(int count READ count)
    Q_PROPERTY(bool fixedModeEnabled READ isFixedModeEnabled WRITE setFixedModeEnabled)
    Q_PROPERTY(Qt::Orientation fixedModeOrientation READ fixedModeOrientation WRITE setFixedModeOrientation)

public:
    explicit ButtonGroupContainer(QGraphicsItem* parent = nullptr);
    ~ButtonGroupContainer() override;

    //! Made checkable and reparented; a checked button becomes the group's choice.
    void addButton(Touch::Button* button);
    //! Null when \a index is out of range.
    Touch::Button* button(int index) const;
    int count() const;

    //! -1 when no button is checked.
    int checkedIndex() const;
    //! Programmatic: no buttonClicked().  Out of range (or -1) unchecks all.
    void setCheckedIndex(int index);

    bool isFixedModeEnabled() const;
    void setFixedModeEnabled(bool enabled);
    Qt::Orientation fixedModeOrientation() const;
    void setFixedModeOrientation(Qt::Orientation orientation);

Q_SIGNALS:
    //! A user's tap on the button at \a index, after the check state changed.
    void buttonClicked(int index);
    void checkedIndexChanged(int index);

private:
    friend class ButtonGroupContainerPrivate;
    ButtonGroupContainerPrivate* const d;
};

} // namespace Velin
