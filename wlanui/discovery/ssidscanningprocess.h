#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QObject>
#include <QString>

namespace Velin {

class SSIDScanningProcessPrivate;

/*!
 * Asks the WLAN daemon to scan for one SSID (the way a hidden network is
 * found) and reports the capability word of the first network in the
 * daemon's results with exactly that SSID, or an error.
 *
 * The request is repeated every 1500 ms, at most five times, until the
 * daemon answers it.  A process serves one search: once the daemon has
 * answered, a later start() sends nothing.  Every "scan_results" broadcast
 * that arrives while the process exists is examined, whoever asked for it.
 */
class VELINWLANUI_EXPORT SSIDScanningProcess : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ssid READ ssid)
    Q_PROPERTY(bool busy READ isBusy)

public:
    explicit SSIDScanningProcess(QObject* parent = nullptr);
    ~SSIDScanningProcess() override;

    //! The SSID last given to start().
    QString ssid() const;
    //! True from the first request until found() or error() has been emitted.
    bool isBusy() const;

public Q_SLOTS:
    //! False, doing nothing, while a search is going on; otherwise sends the
    //! scan request for \a ssid and returns true.
    bool start(const QString& ssid);

Q_SIGNALS:
    //! The capability word of the matching network, as the daemon reported it.
    void found(uint capabilities);
    void error(const QString& message);

private:
    friend class SSIDScanningProcessPrivate;
    SSIDScanningProcessPrivate* const d;
};

} // namespace Velin
