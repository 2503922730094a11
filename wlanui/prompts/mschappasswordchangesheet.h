#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

#include "net/internetaccesspoint.h"

namespace Velin {

class MschapPasswordChangeSheetPrivate;

/*!
 * Lets the user change the EAP-MSCHAPv2 password when the authentication
 * server asks for a new one: the old password, the new one and the new one
 * again, all masked.  Connect is enabled while all three are filled; it
 * closes the sheet only when the old password equals password() and the two
 * new entries agree, else a banner tells which check failed.  Read
 * newPassword() after acceptance.
 */
class VELINWLANUI_EXPORT MschapPasswordChangeSheet : public EasyWlanSheet
{
    Q_OBJECT
    Q_PROPERTY(QString username READ username WRITE setUsername)
    Q_PROPERTY(QString password READ password WRITE setPassword)
    Q_PROPERTY(QString newPassword READ newPassword)
    Q_PROPERTY(Velin::InternetAccessPoint internetAccessPoint READ internetAccessPoint)

public:
    //! The access point's name becomes the sheet's SSID.
    explicit MschapPasswordChangeSheet(const InternetAccessPoint& iap);
    ~MschapPasswordChangeSheet() override;

    QString username() const;
    //! Also shows the name under the heading.
    void setUsername(const QString& name);

    //! The current password as the caller knows it; the typed old password
    //! must equal it.  Not shown.
    QString password() const;
    void setPassword(const QString& password);

    //! The new password field's text.
    QString newPassword() const;

    //! A copy of the access point given at construction.
    InternetAccessPoint internetAccessPoint() const;

    QList<Touch::Widget*> configurationWidgets() override;
    void done(bool result) override;

private:
    friend class MschapPasswordChangeSheetPrivate;
    MschapPasswordChangeSheetPrivate* const d;
};

} // namespace Velin
