#pragma once

#include "wlanui/wlanuiglobal.h"

#include "touch/widget.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace Velin {

class InternetAccessPoint;
class PropertyEditorManager;
class WlanConnectionSettingWidgetPrivate;

/*!
 * The main page of the access-point editor: connection name, network name
 * (new access points only), automatic connection, network mode, the security
 * section, the entry to the advanced pages and Forget (saved access points
 * only).  Every field is an editor bound to a key of the manager, so the page
 * holds no values.  The automatic-connection row is offered only for
 * infrastructure networks whose credentials allow it, the network-mode row
 * only for open and WEP networks.
 */
class VELINWLANUI_EXPORT WlanConnectionSettingWidget : public Touch::Widget
{
    Q_OBJECT
    //! The automatic-connection row is on the page.
    Q_PROPERTY(bool autoConnectShown READ isAutoConnectShown)
    //! The network-mode row is on the page.
    Q_PROPERTY(bool networkModeShown READ isNetworkModeShown)
    //! Typing a connection name also fills in the network name.
    Q_PROPERTY(bool copyingNameToNetworkName READ isCopyingNameToNetworkName)

public:
    //! Neither \a iap nor \a manager is owned; both must outlive the page.
    WlanConnectionSettingWidget(InternetAccessPoint* iap, PropertyEditorManager* manager,
                                QGraphicsItem* parent = nullptr);
    ~WlanConnectionSettingWidget() override;

    /*!
     * The manager's map as it should be stored: the first WEP key counts as
     * the default when none is chosen, and a connection whose
     * automatic-connection row is not offered never connects automatically.
     */
    QMap<QString, QVariant> properties() const;

    bool isAutoConnectShown() const;
    bool isNetworkModeShown() const;
    bool isCopyingNameToNetworkName() const;

Q_SIGNALS:
    void advancedButtonClicked();
    void forgetButtonClicked();

protected:
    //! Builds the page; the constructor calls it once.
    void initWidget();

private Q_SLOTS:
    void propertyChanged(const QString& property);
    void connectionNameEditFocused();
    void nameChanged();

private:
    friend class WlanConnectionSettingWidgetPrivate;
    WlanConnectionSettingWidgetPrivate* const d;
};

} // namespace Velin
