#pragma once

#include "wlanui/wlanuiglobal.h"

#include "touch/widget.h"

namespace Velin {

class PropertyEditorManager;
class WlanSecurityWidgetPrivate;

/*!
 * The security section of the access-point editor: a combo box of the
 * security methods and, below it, the rows the chosen method needs (the
 * default WEP key, the pre-shared key, the EAP rows, the WAPI rows).  The
 * rows are built anew whenever "wlan_security" changes; every row is an
 * editor bound to a key of \a manager, so the widget holds no values.
 * In ad hoc mode only no security and WEP can be chosen.
 */
class VELINWLANUI_EXPORT WlanSecurityWidget : public Touch::Widget
{
    Q_OBJECT
    //! The method whose rows are built ("NONE", "WEP", "WPA_PSK", ...).
    Q_PROPERTY(QString currentSecurity READ currentSecurity)
    //! True while only no security and WEP are offered.
    Q_PROPERTY(bool adhocMode READ isAdhocMode)

public:
    WlanSecurityWidget(PropertyEditorManager* manager, QGraphicsItem* parent = nullptr);
    ~WlanSecurityWidget() override;

    QString currentSecurity() const;
    bool isAdhocMode() const;

public Q_SLOTS:
    //! Offers every method, or (ad hoc) only no security and WEP.
    void networkModeChanged(bool adhoc);

private:
    friend class WlanSecurityWidgetPrivate;
    WlanSecurityWidgetPrivate* const d;
};

} // namespace Velin
