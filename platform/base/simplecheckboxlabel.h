#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Touch {
class Button;
class Label;
}

namespace Velin {

class SimpleCheckBoxLabelPrivate;

/*!
 * A row with a word-wrapped label on the leading side and a checkable button
 * (check box, switch, ...) on the trailing side.  Tapping the label toggles
 * the button as a tap on the button would.
 */
class VELINBASE_EXPORT SimpleCheckBoxLabel : public Touch::Widget
{
    Q_OBJECT

public:
    //! Takes \a button over: made checkable, given \a viewType, reparented.
    SimpleCheckBoxLabel(Touch::Button* button, const QString& label, const QString& viewType,
                        QGraphicsItem* parent = nullptr);
    ~SimpleCheckBoxLabel() override;

    Touch::Button* button() const;
    Touch::Label* label() const;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    friend class SimpleCheckBoxLabelPrivate;
    SimpleCheckBoxLabelPrivate* const d;
};

} // namespace Velin
