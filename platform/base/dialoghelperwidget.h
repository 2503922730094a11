#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Velin {

class DialogHelperWidgetPrivate;

/*!
 * Wraps a panel so that it can be handed to a dialog as one widget: the
 * panel becomes its child and fills it, and its size hints are the panel's.
 */
class VELINBASE_EXPORT DialogHelperWidget : public Touch::Widget
{
    Q_OBJECT

public:
    explicit DialogHelperWidget(QGraphicsWidget* panel, QGraphicsItem* parent = nullptr);
    ~DialogHelperWidget() override;

    //! Null once the panel has been deleted.
    QGraphicsWidget* panel() const;

private:
    friend class DialogHelperWidgetPrivate;
    DialogHelperWidgetPrivate* const d;
};

} // namespace Velin
