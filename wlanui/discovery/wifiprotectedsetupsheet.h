#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

#include <QList>
#include <QString>

namespace Touch {
class Widget;
}

namespace Velin {

class InternetAccessPoint;
class WifiProtectedSetupProcess;
class WifiProtectedSetupSheetPrivate;

/*!
 * Leads the user through Wi-Fi Protected Setup once the method is chosen:
 * press the access point's button, or enter the shown PIN into it.
 *
 * Push button: accepting starts the process and closes the sheet. PIN: the
 * sheet stays; the process starts when the connection to the access point
 * starts. Accepting while the process runs gives it another 120 s; from the
 * first accept on, a progress bar shows the seconds used. Cancel aborts a
 * started process and closes the sheet rejected.
 */
class VELINWLANUI_EXPORT WifiProtectedSetupSheet : public EasyWlanSheet
{
    Q_OBJECT

public:
    //! \a process and \a iap are not owned.
    WifiProtectedSetupSheet(WifiProtectedSetupProcess* process, InternetAccessPoint* iap, const QString& ssid);
    ~WifiProtectedSetupSheet() override;

    QList<Touch::Widget*> configurationWidgets() override;

public Q_SLOTS:
    void done(bool result) override;

private:
    friend class WifiProtectedSetupSheetPrivate;
    WifiProtectedSetupSheetPrivate* const d;
};

} // namespace Velin
