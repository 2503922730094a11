#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simpleframe.h"

namespace Velin {

class PropertyEditorManager;
class EapEditWidgetPrivate;

/*!
 * The advanced page of a WPA-EAP access point: the manual user-name switch
 * ("EAP_use_manual_username"), the user name itself ("EAP_manual_username",
 * shown right below the switch only while it is on) and the client
 * authentication switch ("TLS_server_authenticates_client_policy_in_client").
 * The user-name field survives being hidden, so its text comes back with it.
 */
class VELINWLANUI_EXPORT EapEditWidget : public SimpleFrame
{
    Q_OBJECT

public:
    //! \a manager is not owned and must outlive the page.
    explicit EapEditWidget(PropertyEditorManager* manager, QGraphicsItem* parent = nullptr);
    ~EapEditWidget() override;

    //! Builds the content; the constructor has done so, later calls only warn.
    void initWidget();

private Q_SLOTS:
    //! Shows or hides the user-name field as "EAP_use_manual_username" says.
    void propertyChanged(const QString& property);

private:
    friend class EapEditWidgetPrivate;
    EapEditWidgetPrivate* const d;
};

} // namespace Velin
