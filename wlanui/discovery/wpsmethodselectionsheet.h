#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simplesheet.h"

#include <QString>

namespace Velin {

class InternetAccessPoint;
class WifiProtectedSetupProcess;
class WpsMethodSelectionSheetPrivate;

/*!
 * Asks how to join a network that offers Wi-Fi Protected Setup: with the
 * access point's push button, with the device's PIN, or in the usual way
 * (skip). Each choice closes the sheet accepted; push button and PIN set
 * the process's method (PIN also generates the PIN), skip only sets
 * isSkipped(). Cancel closes it rejected and changes nothing.
 */
class VELINWLANUI_EXPORT WpsMethodSelectionSheet : public SimpleSheet
{
    Q_OBJECT
    Q_PROPERTY(bool skipped READ isSkipped)

public:
    //! \a process and \a iap are not owned and must outlive the sheet's use.
    WpsMethodSelectionSheet(WifiProtectedSetupProcess* process, InternetAccessPoint* iap, const QString& ssid);
    ~WpsMethodSelectionSheet() override;

    //! Builds the network row, the heading, the explanation and the three
    //! choices; called by the constructor.
    virtual void createContent();

    //! True once the user chose to skip WPS.
    bool isSkipped() const;

public Q_SLOTS:
    void activatePinMode();
    void activatePushButtonMode();
    void skip();

private:
    friend class WpsMethodSelectionSheetPrivate;
    WpsMethodSelectionSheetPrivate* const d;
};

} // namespace Velin
