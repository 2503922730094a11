#pragma once

#include "wlanui/wlanuiglobal.h"

#include "touch/dialog.h"

#include <QList>

namespace Touch {
class Widget;
}

namespace Velin {

class EasyWlanDialogPrivate;

/*!
 * A modal dialog for one network: titled "Connect to <SSID>" (untitled for an
 * empty SSID), one "Connect" button (the OK button), and the widgets of
 * configurationWidgets() stacked top to bottom as its central widget.
 *
 * The content is not built by this constructor: a subclass calls
 * EasyWlanDialog::createContent() once its own set-up is done, or the first
 * addItem() builds it.
 */
class VELINWLANUI_EXPORT EasyWlanDialog : public Touch::Dialog
{
    Q_OBJECT
    Q_PROPERTY(QString ssid READ ssid)

public:
    explicit EasyWlanDialog(const QString& ssid, QGraphicsItem* parent = nullptr);
    ~EasyWlanDialog() override;

    QString ssid() const;

    //! Builds the content from configurationWidgets() and installs it.  Once.
    virtual void createContent();
    //! The widgets to stack, top to bottom; none here.
    virtual QList<Touch::Widget*> configurationWidgets();

    //! Appends \a item at the bottom, building the content first if needed.
    void addItem(QGraphicsWidget* item);
    //! Removes \a item from the content and destroys it; nothing before the
    //! content exists.
    void deleteItem(QGraphicsWidget* item);

private:
    friend class EasyWlanDialogPrivate;
    EasyWlanDialogPrivate* const d;
};

} // namespace Velin
