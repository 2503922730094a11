#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/discovery/wifiprotectedsetupprocess.h"

#include <QObject>
#include <QPointer>

namespace Touch {
class Label;
class ProgressBar;
class TextEdit;
}

namespace Velin {

class ConnectionWatcher;
class DividerHeader;
class InternetAccessPoint;
class WifiProtectedSetupSheet;

class VELINWLANUI_EXPORT WifiProtectedSetupSheetPrivate : public QObject
{
    Q_OBJECT

public:
    WifiProtectedSetupSheetPrivate(WifiProtectedSetupSheet* q, WifiProtectedSetupProcess* process,
                                   InternetAccessPoint* iap);

    // Adds the progress bar at the bottom, once.
    void activateProgressBar();

    WifiProtectedSetupSheet* const q;
    // Not owned; guarded because the caller may drop it while the sheet runs.
    QPointer<WifiProtectedSetupProcess> process;
    InternetAccessPoint* const iap;
    // Owned here (no parent) until the first connecting() releases it.
    ConnectionWatcher* watcher = nullptr;
    // The widgets belong to the sheet's content; the pointers only find them.
    QPointer<DividerHeader> header;
    QPointer<Touch::Label> instruction;
    QPointer<Touch::TextEdit> pinEdit;
    QPointer<Touch::ProgressBar> progressBar;

public Q_SLOTS:
    void setSecondsRemaining(int secondsRemaining);
    void connecting(const Velin::InternetAccessPoint& iap);
};

} // namespace Velin
