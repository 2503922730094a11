#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simpleframe.h"

namespace Velin {

class PropertyEditorManager;
class OtherAdvancedSettingsWidgetPrivate;

/*!
 * The last advanced page, for what no security page holds: the hidden-network
 * switch of an infrastructure network ("wlan_hidden"), the channel of an ad
 * hoc network ("wlan_adhoc_channel": 0 automatic, then 1 to 11) and the
 * WPA2-only switch of WPA-PSK and WPA-EAP networks ("EAP_wpa2_only_mode").
 * The rows are chosen once, from the values at construction.
 */
class VELINWLANUI_EXPORT OtherAdvancedSettingsWidget : public SimpleFrame
{
    Q_OBJECT
    Q_PROPERTY(bool hasSettings READ hasSettings CONSTANT)

public:
    //! \a manager is not owned and must outlive the page.
    explicit OtherAdvancedSettingsWidget(PropertyEditorManager* manager, QGraphicsItem* parent = nullptr);
    ~OtherAdvancedSettingsWidget() override;

    //! False when no row applies: the page is then not worth showing.
    bool hasSettings() const;

    //! Builds the rows; the constructor has done so, later calls only warn.
    void initWidget();

private:
    friend class OtherAdvancedSettingsWidgetPrivate;
    OtherAdvancedSettingsWidgetPrivate* const d;
};

} // namespace Velin
