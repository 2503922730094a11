#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simplesheet.h"

#include <QList>

namespace Touch {
class Widget;
}

namespace Velin {

class EasyWlanSheetPrivate;

/*!
 * Base of the full-screen prompts shown while connecting to one network:
 * titled for a connection, "Connect" and "Cancel" in the header, and below
 * it the widgets that a subclass supplies in configurationWidgets(), stacked
 * top to bottom.
 *
 * The content is not built by this constructor: a subclass finishes its own
 * set-up and then calls EasyWlanSheet::createContent(), so that its own
 * configurationWidgets() is in force.
 */
class VELINWLANUI_EXPORT EasyWlanSheet : public SimpleSheet
{
    Q_OBJECT
    Q_PROPERTY(QString ssid READ ssid)

public:
    explicit EasyWlanSheet(const QString& ssid);
    ~EasyWlanSheet() override;

    //! The network's SSID, as given at construction.  Not shown in the title.
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
    friend class EasyWlanSheetPrivate;
    EasyWlanSheetPrivate* const d;
};

} // namespace Velin
