#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simpleframe.h"

namespace Velin {

class PropertyEditorManager;
class WepKeysEditWidgetPrivate;

/*!
 * The advanced page of a WEP access point: which of the four keys is the
 * default one (a split row of four buttons over "wlan_wepdefkey", storing
 * 1 to 4) and the four keys themselves ("wlan_wepkey1" to "wlan_wepkey4",
 * each edit named after its key).  Every control is bound to the manager, so
 * the page holds no values and stays in step with the main page.
 */
class VELINWLANUI_EXPORT WepKeysEditWidget : public SimpleFrame
{
    Q_OBJECT

public:
    //! \a manager is not owned and must outlive the page.
    explicit WepKeysEditWidget(PropertyEditorManager* manager, QGraphicsItem* parent = nullptr);
    ~WepKeysEditWidget() override;

    //! Builds the content; the constructor has done so, later calls only warn.
    void initWidget();

private:
    friend class WepKeysEditWidgetPrivate;
    WepKeysEditWidgetPrivate* const d;
};

} // namespace Velin
